#include "inicio/ChecagemDeVersao.h"

#include "nucleo/Ini.h"
#include "nucleo/ProgramDir.h"
#include "nucleo/Regional.h"
#include "nucleo/Versao.h"
#include "remoto/Espera.h"

using namespace nucleo;
using namespace remoto;

namespace inicio {

ChecagemDeVersao ChecaVersao(const QString& servidor) {
    const remoto::PedidoFtp pedido = remoto::PedidoDoPrograma(servidor, kArquivoVersao);
    const QString& local = pedido.local;
    const remoto::Desfecho baixou = remoto::BaixaEsperando(pedido);
    if (!baixou && baixou.falha().naGravacao())
        return {false, baixou.falha()};
    ChecagemDeVersao checagem{baixou.ok()};
    // Only what the server said for certain is answered by publishing: its file, or its clean
    // "no such file". After any other failure a stale local copy would lower its number.
    const bool servidorRespondeu =
        baixou.ok() || baixou.falha().tipo == nucleo::Falha::Tipo::Inexistente;

    // Read even after a failed download: the copy of an earlier run, or "0" when there is none.
    // A copy that is there but cannot be read is never written over, nor published.
    nucleo::ArquivoIni ini;
    const bool lido = ini.carrega(local).ok();
    const QString geral = QStringLiteral("Geral");
    const QString versaoServidor = ini.valor(geral, QStringLiteral("Versao"), QStringLiteral("0"));

    const double nossa = Val(nucleo::VersaoPrograma);
    const double publicada = Val(versaoServidor);
    if (nossa > publicada && lido && servidorRespondeu) {
        // Nothing is published that did not reach the disk whole.
        ini.define(geral, QStringLiteral("Versao"), nucleo::VersaoPrograma);
        if (auto gravado = ini.grava(); !gravado)
            return {false, gravado.falha()};
        checagem.naoPublicou = !remoto::SobeEsperando(pedido).ok();
    } else if (nossa < publicada) {
        checagem.podeRodar = false;
    }
    return checagem;
}

} // namespace inicio

bool VerificaVersao(const QString& servidor) {
    return inicio::ChecaVersao(servidor).podeRodar;
}
