#include "proposta/RespostaAnterior.h"

#include "nucleo/Regional.h"
#include "proposta/Textos.h"
#include "remoto/Espera.h"

#include <QFile>

namespace proposta {

namespace {

std::optional<QByteArray> le(const QString& caminho) {
    QFile arquivo(caminho);
    if (!arquivo.open(QIODevice::ReadOnly))
        return std::nullopt;
    QByteArray bytes = arquivo.readAll();
    if (arquivo.error() != QFileDevice::NoError)
        return std::nullopt;
    return bytes;
}

} // namespace

RespostaAnterior BaixaRespostaAnterior(const remoto::PedidoFtp& pedido,
                                       const std::optional<banco::Recibo>& recibo) {
    using Origem = RespostaAnterior::Origem;
    const QString& caminho = pedido.local;
    RespostaAnterior r;
    // What this computer sent last, read before the download may replace it.
    std::optional<QByteArray> copia;
    if (recibo)
        copia = le(caminho);
    const bool copiaValida = copia && recibo->confere(*copia);
    if (copiaValida)
        r.copia = *copia;

    const remoto::Desfecho baixou = remoto::BaixaEsperando(pedido);
    if (baixou) {
        const std::optional<QByteArray> servidor = copiaValida ? le(caminho) : std::nullopt;
        r.origem = servidor && !recibo->confere(*servidor) ? Origem::Diferente : Origem::Servidor;
    } else if (baixou.falha().tipo == nucleo::Falha::Tipo::Inexistente) {
        r.origem = Origem::Nenhuma;
    } else {
        r.origem = copiaValida ? Origem::CopiaLocal : Origem::Ilegivel;
    }
    if (r.origem != Origem::Diferente && r.origem != Origem::CopiaLocal)
        r.copia.clear();
    return r;
}

nucleo::Resultado<void> RestauraCopia(const RespostaAnterior& anterior, const QString& caminho) {
    return nucleo::GravaArquivoInteiro(caminho, anterior.copia);
}

QString SituacaoDoEnvio(const RespostaAnterior& anterior,
                        const std::optional<banco::Recibo>& recibo) {
    using Origem = RespostaAnterior::Origem;
    if (anterior.origem == Origem::Ilegivel)
        return textos::RespostaIlegivel;
    if (!recibo)
        return {};
    const QString& texto =
        anterior.origem == Origem::CopiaLocal ? textos::CarregadaDaqui : textos::UltimoEnvio;
    return texto.arg(DateToText(recibo->quando.date()), recibo->quando.time().toString(u"HH:mm"));
}

} // namespace proposta
