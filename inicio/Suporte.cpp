#include "inicio/Suporte.h"

#include "banco/ServidoresTls.h"
#include "inicio/Textos.h"
#include "nucleo/Erro.h"
#include "remoto/Tls.h"

namespace inicio {

std::optional<QString> AtendeSuporte(const QStringList& argumentos, const QString& arquivo) {
    const qsizetype onde = argumentos.indexOf(kEsquecerServidor);
    if (onde < 1)
        return std::nullopt;
    const QString servidor =
        onde + 1 < argumentos.size() ? remoto::NomeDoServidor(argumentos[onde + 1]) : QString();
    if (servidor.isEmpty() || servidor.startsWith(u'-'))
        return textos::EsquecerSemServidor;
    // The key the program was built with is no record: it changes only with a new version.
    if (remoto::ConhecidoPelaConstrucao(servidor))
        return textos::ChaveDaConstrucaoFica.arg(servidor);
    banco::BancoLocal banco(arquivo);
    const auto esquecido = banco::ServidoresTls(banco).esquece(servidor);
    if (!esquecido)
        return nucleo::Diz(esquecido.falha());
    if (!*esquecido)
        return textos::ServidorDesconhecido.arg(servidor);
    nucleo::RegistraNoLog(QStringLiteral("Ftp"), textos::ServidorEsquecido.arg(servidor),
                          kEsquecerServidor, arquivo);
    return textos::ServidorEsquecido.arg(servidor);
}

} // namespace inicio
