#include "app/AppCotacao.h"

#include "access/FormEmEspera.h"
#include "app/Janelas.h"
#include "app/Textos.h"
#include "app/Versao.h"
#include "remote/Espera.h"
#include "runtime/core/Gravacao.h"
#include "runtime/core/Processo.h"
#include "runtime/core/ProgramDir.h"
#include "runtime/ui/Janela.h"
#include "runtime/ui/Textos.h"
#include "store/BancoLocal.h"

#include <QCryptographicHash>
#include <QFile>

using namespace nucleo;
using namespace remoto;

namespace inicio {

namespace {
const QString kInstalador = QStringLiteral("CotacaoInstall.exe");
const QString kBanco = QStringLiteral("Cotacao.db");
// The installer is the one download that may be large.
constexpr qint64 kMaximoInstalador = 1024LL * 1024 * 1024;

QByteArray sha256DoArquivo(const QString& caminho) {
    QFile arquivo(caminho);
    QCryptographicHash hash(QCryptographicHash::Sha256);
    if (!arquivo.open(QIODevice::ReadOnly) || !hash.addData(&arquivo))
        return {};
    return hash.result().toHex();
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
        atualizar(versao.sha256);
        return;
    }
    m_banco = std::make_unique<banco::BancoLocal>(ArquivoDoPrograma(kBanco));
    if (m_opcoes.abrirLogin)
        m_opcoes.abrirLogin();
    else
        AbreLogin(m_opcoes.rede, m_banco.get());
    Exec();
}

void AppCotacao::atualizar(const QByteArray& sha256) {
    WarningBox(janelas::textos::Aviso, inicio::textos::NovaVersao);
    const QString instalador = ArquivoDoPrograma(kInstalador);
    QFile::remove(instalador);
    using namespace Servidor;
    remoto::PedidoFtp pedido{m_opcoes.rede.servidorFtp, Usuario, Senha, Diretorio, kInstalador, {}};
    pedido.limites.tamanhoMaximo = kMaximoInstalador;
    ExibeAvisoEmEspera(inicio::textos::BaixandoAtualizacao, false);
    const remoto::Desfecho baixou = remoto::BaixaEsperando(pedido);
    ExibeAvisoEmEspera(inicio::textos::BaixandoAtualizacao, true);
    if (!baixou.ok()) {
        WarningBox(janelas::textos::Aviso,
                   baixou.resultado == remoto::ResultadoFtp::GravacaoLocal
                       ? janelas::textos::FalhaDeGravacao(baixou.gravacao, PastaDoPrograma())
                       : inicio::textos::FalhaDownload);
    } else if (!sha256.isEmpty() &&
               sha256DoArquivo(instalador).compare(sha256, Qt::CaseInsensitive) != 0) {
        // Whatever the shared account holds is not run unless it is what was published.
        QFile::remove(instalador);
        WarningBox(janelas::textos::Aviso, inicio::textos::AtualizacaoNaoVerificada);
    } else {
        WarningBox(janelas::textos::Aviso, inicio::textos::Desatualizada);
        QFile::setPermissions(instalador, QFile::permissions(instalador) | QFile::ExeOwner |
                                              QFile::ExeGroup | QFile::ExeOther);
        if (!m_opcoes.iniciarProcesso(instalador, PastaDoPrograma()))
            WarningBox(janelas::textos::Aviso, inicio::textos::FalhaInstalador);
    }
    Quit();
}

} // namespace inicio
