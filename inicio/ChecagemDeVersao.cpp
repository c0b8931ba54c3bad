#include "inicio/ChecagemDeVersao.h"

#include "nucleo/Erro.h"
#include "nucleo/Ini.h"
#include "nucleo/ProgramDir.h"
#include "nucleo/Regional.h"
#include "nucleo/Versao.h"
#include "remoto/Espera.h"

using namespace nucleo;
using namespace remoto;

namespace inicio {

nucleo::Resultado<ChecagemDeVersao> ChecaVersao(const QString& servidor) {
    const remoto::PedidoFtp pedido = remoto::PedidoDoPrograma(servidor, kArquivoVersao);
    const QString& local = pedido.local;
    const remoto::Desfecho baixou = remoto::BaixaEsperando(pedido);
    // Only what the server said for certain is compared and answered: its file, or its clean
    // "no such file". After any other failure nothing is known of the version.
    if (!baixou && baixou.falha().tipo != nucleo::Falha::Tipo::Inexistente)
        return baixou.falha();
    ChecagemDeVersao checagem{baixou.ok()};

    // Read even after "no such file": the copy of an earlier run, or "0" when there is none.
    // A copy that is there but cannot be read is never written over, nor published.
    nucleo::ArquivoIni ini;
    const nucleo::Resultado<void> carregado = ini.carrega(local);
    const bool lido = carregado.ok();
    if (!lido)
        nucleo::Registra(carregado.falha());
    const QString geral = QStringLiteral("Geral");
    const QString versaoServidor = ini.valor(geral, QStringLiteral("Versao"), QStringLiteral("0"));

    const double nossa = Val(nucleo::VersaoPrograma);
    const double publicada = Val(versaoServidor);
    if (nossa > publicada && lido) {
        // Nothing is published that did not reach the disk whole.
        ini.define(geral, QStringLiteral("Versao"), nucleo::VersaoPrograma);
        if (auto gravado = ini.grava(); !gravado)
            return gravado.falha();
        if (const remoto::Desfecho subiu = remoto::SobeEsperando(pedido); !subiu) {
            nucleo::Registra(subiu.falha());
            checagem.naoPublicou = true;
        }
    } else if (nossa < publicada) {
        checagem.podeRodar = false;
        checagem.anunciada = true;
    }
    return checagem;
}

} // namespace inicio

bool VerificaVersao(const QString& servidor) {
    const auto checagem = inicio::ChecaVersao(servidor);
    return checagem && checagem->podeRodar;
}
