#include "inicio/AppCotacao.h"

#include "ChaveAtualizacao.h"
#include "banco/BancoLocal.h"
#include "inicio/ChecagemDeVersao.h"
#include "inicio/Janelas.h"
#include "inicio/Textos.h"
#include "janelas/FormEmEspera.h"
#include "janelas/Janela.h"
#include "janelas/Textos.h"
#include "nucleo/Erro.h"
#include "nucleo/Gravacao.h"
#include "nucleo/Processo.h"
#include "nucleo/ProgramDir.h"
#include "nucleo/Textos.h"
#include "nucleo/Versao.h"
#include "remoto/Assinatura.h"
#include "remoto/Espera.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QTemporaryDir>

using namespace nucleo;
using namespace remoto;

namespace inicio {

namespace {
const QString kInstalador = QStringLiteral("CotacaoInstall.exe");
const QString kBanco = QStringLiteral("Cotacao.db");
// Held through an update's download, check and start: two programs never update at once.
const QString kTravaDaAtualizacao = QStringLiteral("Atualizacao.lock");
// Each update downloads into a folder of its own, "Atualizacao-XXXXXX" in the program folder.
const QString kPastaDaAtualizacao = QStringLiteral("Atualizacao-");
// The claim last refused, so that its notice is shown once.
const QString kRecusada = QStringLiteral("AtualizacaoRecusada.txt");
// The real installer is about 12 MB.
constexpr qint64 kMaximoInstalador = 64LL * 1024 * 1024;

// Removes a file the update leaves behind: false when it is there and stays.
bool apaga(const QString& arquivo) {
    return !QFileInfo::exists(arquivo) || QFile::remove(arquivo);
}

// The folders of earlier updates, unless another program is updating now.
void removePastasAbandonadas() {
    QLockFile trava(ArquivoDoPrograma(kTravaDaAtualizacao));
    if (!trava.tryLock(0))
        return;
    const QDir pasta(PastaDoPrograma());
    for (const QString& nome : pasta.entryList({kPastaDaAtualizacao + u'*'}, QDir::Dirs))
        QDir(pasta.filePath(nome)).removeRecursively();
}

QString motivo(remoto::ResultadoAssinatura r, const QString& versao) {
    using R = remoto::ResultadoAssinatura;
    switch (r) {
    case R::Valida:
        break;
    case R::ArquivoAusente:
        return textos::MotivoAssinaturaAusente;
    case R::Malformada:
        return textos::MotivoAssinaturaMalformada;
    case R::ChaveInvalida:
        return textos::MotivoChaveInvalida;
    case R::OutraChave:
        return textos::MotivoOutraChave;
    case R::NaoConfere:
        return textos::MotivoNaoConfere;
    case R::SemVersao:
        return textos::MotivoSemVersao;
    case R::VersaoNaoMaisNova:
        return textos::MotivoVersaoAntiga.arg(versao, nucleo::VersaoExibida);
    }
    return {};
}
} // namespace

// What the server claims of an update, judged before any installer is fetched.
struct AppCotacao::Anuncio {
    remoto::Reivindicacao reivindicacao;
    QString motivo;   // why it is no update, for the error log; empty when it is one
    QByteArray marca; // what was refused, to tell it only once
};

AppCotacao::AppCotacao(OpcoesInicio opcoes)
    : m_opcoes(std::move(opcoes)) {
    if (!m_opcoes.iniciarProcesso)
        m_opcoes.iniciarProcesso = nucleo::IniciaPrograma;
}

AppCotacao::~AppCotacao() = default;

void AppCotacao::Start() {
    // Writes cut short when the program was last killed leave temporary files behind.
    nucleo::RemoveTemporariosAbandonados(PastaDoPrograma());
    removePastasAbandonadas();
    if (!VerificaConexaoInternet(m_opcoes.rede.conexao)) {
        WarningBox(janelas::textos::Aviso, inicio::textos::SemConexao);
        return;
    }
    const inicio::ChecagemDeVersao versao = inicio::ChecaVersao(m_opcoes.rede.servidorFtp);
    if (versao.gravacao) {
        // Without a folder to write in, an update could not land either: say what is wrong.
        WarningBox(janelas::textos::Aviso, versao.gravacao->texto);
        return;
    }
    if (versao.naoPublicou) {
        Error erro;
        erro.SubSystem = QStringLiteral("Versao");
        erro.Severity = 1;
        erro.Operation = QStringLiteral("ChecaVersao");
        erro.FileName = inicio::kArquivoVersao;
        erro.Description = inicio::textos::VersaoNaoPublicada;
        nucleo::RegistraNoLog(erro);
    }
    if (!versao.podeRodar) {
        // Versao.ini is anyone's to write: only the publisher's signed claim of a newer version
        // makes an update. Anything less leaves the supplier at work on this version.
        QTemporaryDir pasta(ArquivoDoPrograma(kPastaDaAtualizacao + QStringLiteral("XXXXXX")));
        const Anuncio anuncio = leAnuncio(pasta.path());
        if (anuncio.reivindicacao.valida()) {
            atualizar(anuncio.reivindicacao, pasta);
            return;
        }
        recusa(anuncio);
    }
    m_banco = std::make_unique<banco::BancoLocal>(ArquivoDoPrograma(kBanco));
    if (m_opcoes.abrirLogin)
        m_opcoes.abrirLogin();
    else
        AbreLogin(m_opcoes.rede, m_banco.get());
    Exec();
}

AppCotacao::Anuncio AppCotacao::leAnuncio(const QString& pasta) {
    Anuncio a;
    remoto::PedidoFtp pedido = remoto::PedidoDoPrograma(m_opcoes.rede.servidorFtp,
                                                        remoto::ArquivoDeAssinatura(kInstalador));
    pedido.local = QDir(pasta).filePath(pedido.arquivo);
    pedido.limites.tamanhoMaximo = remoto::kMaximoDaAssinatura;
    const remoto::Desfecho baixou = remoto::BaixaEsperando(pedido);
    QFile arquivo(pedido.local);
    const QByteArray conteudo = baixou.ok() && arquivo.open(QIODevice::ReadOnly)
                                    ? arquivo.read(remoto::kMaximoDaAssinatura + 1)
                                    : QByteArray();
    a.reivindicacao =
        remoto::LeReivindicacao(conteudo, QByteArray(kChaveAtualizacao), nucleo::VersaoExibida);
    if (!baixou.ok())
        a.motivo = baixou.falha().tipo == nucleo::Falha::Tipo::Inexistente
                       ? textos::MotivoSemAssinatura
                       : textos::MotivoAssinaturaNaoBaixada;
    else
        a.motivo = motivo(a.reivindicacao.resultado, a.reivindicacao.versao);
    const QByteArray recusado = a.motivo.toUtf8() + '\n' + conteudo;
    a.marca = QCryptographicHash::hash(recusado, QCryptographicHash::Sha256).toHex();
    return a;
}

void AppCotacao::recusa(const Anuncio& anuncio) {
    Error erro;
    erro.SubSystem = QStringLiteral("Atualizacao");
    erro.Severity = 1;
    erro.Operation = QStringLiteral("VerificaAtualizacao");
    erro.FileName = remoto::ArquivoDeAssinatura(kInstalador);
    erro.Description = textos::AtualizacaoRecusadaNoLog.arg(anuncio.motivo);
    nucleo::RegistraNoLog(erro);
    // The same refusal again (at every start, until the server is mended) says nothing more.
    const QString marca = ArquivoDoPrograma(kRecusada);
    QFile anterior(marca);
    if (anterior.open(QIODevice::ReadOnly) && anterior.readAll() == anuncio.marca)
        return;
    anterior.close();
    (void)nucleo::GravaArquivoInteiro(marca, anuncio.marca);
    WarningBox(janelas::textos::Aviso, inicio::textos::AtualizacaoRecusada);
}

void AppCotacao::atualizar(const remoto::Reivindicacao& reivindicacao, QTemporaryDir& pasta) {
    WarningBox(janelas::textos::Aviso, inicio::textos::NovaVersao);
    QLockFile trava(ArquivoDoPrograma(kTravaDaAtualizacao));
    if (!trava.tryLock(0)) {
        WarningBox(janelas::textos::Aviso, inicio::textos::OutraAtualizacao);
        Quit();
        return;
    }
    // An installer of an earlier version's updates, left in the program folder: not to be run.
    if (!pasta.isValid() || !apaga(ArquivoDoPrograma(kInstalador))) {
        WarningBox(janelas::textos::Aviso,
                   nucleo::textos::NaoGravou(nucleo::Falha::Tipo::SemPermissao, PastaDoPrograma()));
        Quit();
        return;
    }
    remoto::PedidoFtp pedido = remoto::PedidoDoPrograma(m_opcoes.rede.servidorFtp, kInstalador);
    pedido.local = pasta.filePath(kInstalador);
    pedido.limites.tamanhoMaximo = kMaximoInstalador;
    const remoto::Desfecho baixou = [&] {
        const janelas::AvisoEmEspera aviso(inicio::textos::BaixandoAtualizacao);
        return remoto::BaixaEsperando(pedido);
    }();
    if (!baixou.ok()) {
        WarningBox(janelas::textos::Aviso, baixou.falha().naGravacao()
                                               ? baixou.falha().texto
                                               : inicio::textos::FalhaDownload);
        Quit();
        return;
    }
    // The file checked is the file started: held open, in a folder of this run, from the check
    // until the start has returned.
    QFile::setPermissions(pedido.local, QFile::permissions(pedido.local) | QFile::ExeOwner |
                                            QFile::ExeGroup | QFile::ExeOther);
    nucleo::ArquivoRetido instalador(pedido.local);
    if (!instalador.aberto() || remoto::ConfereArquivo(reivindicacao, instalador.leitura()) !=
                                    remoto::ResultadoAssinatura::Valida) {
        WarningBox(janelas::textos::Aviso, inicio::textos::AtualizacaoNaoVerificada);
        Quit(); // the folder goes with it: nothing is left to be run by hand
        return;
    }
    WarningBox(janelas::textos::Aviso, inicio::textos::Desatualizada);
    pasta.setAutoRemove(false); // the installer runs from there; the next start removes it
    if (!m_opcoes.iniciarProcesso(pedido.local, PastaDoPrograma()))
        WarningBox(janelas::textos::Aviso, inicio::textos::FalhaInstalador);
    Quit();
}

} // namespace inicio
