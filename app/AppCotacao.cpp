#include "app/AppCotacao.h"

#include "ChaveAtualizacao.h"
#include "app/Janelas.h"
#include "app/Textos.h"
#include "app/Versao.h"
#include "remote/Assinatura.h"
#include "remote/Espera.h"
#include "runtime/core/Gravacao.h"
#include "runtime/core/Processo.h"
#include "runtime/core/ProgramDir.h"
#include "runtime/core/Versao.h"
#include "runtime/ui/FormEmEspera.h"
#include "runtime/ui/Janela.h"
#include "runtime/ui/Textos.h"
#include "store/BancoLocal.h"

#include <QFile>
#include <QFileInfo>

using namespace nucleo;
using namespace remoto;

namespace inicio {

namespace {
const QString kInstalador = QStringLiteral("CotacaoInstall.exe");
const QString kBanco = QStringLiteral("Cotacao.db");
// The installer is the one download that may be large.
constexpr qint64 kMaximoInstalador = 1024LL * 1024 * 1024;

// Removes a file the update leaves behind: false when it is there and stays.
bool apaga(const QString& arquivo) {
    return !QFileInfo::exists(arquivo) || QFile::remove(arquivo);
}
} // namespace

AppCotacao::AppCotacao(OpcoesInicio opcoes)
    : m_opcoes(std::move(opcoes)) {
    if (!m_opcoes.iniciarProcesso)
        m_opcoes.iniciarProcesso = nucleo::IniciaPrograma;
}

AppCotacao::~AppCotacao() = default;

void AppCotacao::Start() {
    // Writes cut short when the program was last killed leave temporary files behind.
    nucleo::RemoveTemporariosAbandonados(PastaDoPrograma());
    if (!VerificaConexaoInternet(m_opcoes.rede.conexao)) {
        WarningBox(janelas::textos::Aviso, inicio::textos::SemConexao);
        return;
    }
    const inicio::ChecagemDeVersao versao = inicio::ChecaVersao(m_opcoes.rede.servidorFtp);
    if (versao.gravacao != nucleo::FalhaGravacao::Nenhuma) {
        // Without a folder to write in, an update could not land either: say what is wrong.
        WarningBox(janelas::textos::Aviso,
                   janelas::textos::FalhaDeGravacao(versao.gravacao, PastaDoPrograma()));
        return;
    }
    if (!versao.podeRodar) {
        atualizar();
        return;
    }
    m_banco = std::make_unique<banco::BancoLocal>(ArquivoDoPrograma(kBanco));
    if (m_opcoes.abrirLogin)
        m_opcoes.abrirLogin();
    else
        AbreLogin(m_opcoes.rede, m_banco.get());
    Exec();
}

void AppCotacao::atualizar() {
    WarningBox(janelas::textos::Aviso, inicio::textos::NovaVersao);
    const QString instalador = ArquivoDoPrograma(kInstalador);
    const QString assinatura = remoto::ArquivoDeAssinatura(instalador);
    // A signature of an earlier download must not stand in for the one of this installer.
    if (!apaga(instalador) || !apaga(assinatura)) {
        WarningBox(janelas::textos::Aviso,
                   janelas::textos::FalhaDeGravacao(nucleo::FalhaGravacao::SemPermissao,
                                                    PastaDoPrograma()));
        Quit();
        return;
    }
    remoto::PedidoFtp pedido = remoto::PedidoDoPrograma(m_opcoes.rede.servidorFtp, kInstalador);
    pedido.limites.tamanhoMaximo = kMaximoInstalador;
    remoto::Desfecho baixou;
    {
        const janelas::AvisoEmEspera aviso(inicio::textos::BaixandoAtualizacao);
        baixou = remoto::BaixaEsperando(pedido);
        if (baixou.ok()) {
            // The installer's signature, beside it on the server. None there is no failed
            // download: the installer is then unsigned, and refused as such below.
            pedido.arquivo = QFileInfo(assinatura).fileName();
            pedido.local = assinatura;
            pedido.limites.tamanhoMaximo = remoto::kMaximoDaAssinatura;
            const remoto::Desfecho assinaturaBaixada = remoto::BaixaEsperando(pedido);
            if (assinaturaBaixada.resultado != remoto::ResultadoFtp::Inexistente)
                baixou = assinaturaBaixada;
        }
    }
    if (!baixou.ok()) {
        QFile::remove(instalador);
        QFile::remove(assinatura);
        WarningBox(janelas::textos::Aviso,
                   baixou.resultado == remoto::ResultadoFtp::GravacaoLocal
                       ? janelas::textos::FalhaDeGravacao(baixou.gravacao, PastaDoPrograma())
                       : inicio::textos::FalhaDownload);
        Quit();
        return;
    }
    // Nothing runs that the publisher did not sign for a version newer than this one: whatever
    // the shared account holds, anyone with a copy of the program can write there.
    const remoto::VerificacaoDeAssinatura verificacao = remoto::VerificaAssinatura(
        instalador, assinatura, QByteArray(kChaveAtualizacao), nucleo::VersaoExibida);
    QFile::remove(assinatura);
    if (!verificacao.valida()) {
        // Not left behind to be run by hand either.
        QFile::remove(instalador);
        WarningBox(janelas::textos::Aviso, inicio::textos::AtualizacaoNaoVerificada);
        Quit();
        return;
    }
    WarningBox(janelas::textos::Aviso, inicio::textos::Desatualizada);
    QFile::setPermissions(instalador, QFile::permissions(instalador) | QFile::ExeOwner |
                                          QFile::ExeGroup | QFile::ExeOther);
    if (!m_opcoes.iniciarProcesso(instalador, PastaDoPrograma()))
        WarningBox(janelas::textos::Aviso, inicio::textos::FalhaInstalador);
    Quit();
}

} // namespace inicio
