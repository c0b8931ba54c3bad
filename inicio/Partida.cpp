#include "inicio/Partida.h"

#include "ChaveAtualizacao.h"
#include "banco/ServidoresTls.h"
#include "inicio/ChecagemDeVersao.h"
#include "inicio/Textos.h"
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

namespace inicio {

namespace {
const QString kInstalador = QStringLiteral("CotacaoInstall.exe");
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

// The folders of earlier updates, unless another program is updating now. Only folders this
// program made: a link of that name is no folder of ours, and what it points to is left alone.
void removePastasAbandonadas() {
    QLockFile trava(ArquivoDoPrograma(kTravaDaAtualizacao));
    if (!trava.tryLock(0))
        return;
    const QDir pasta(PastaDoPrograma());
    for (const QString& nome :
         pasta.entryList({kPastaDaAtualizacao + u'*'}, QDir::Dirs | QDir::NoSymLinks))
        QDir(pasta.filePath(nome)).removeRecursively();
}

// What the server claims of an update, judged before any installer is fetched.
struct Anuncio {
    std::optional<remoto::Reivindicacao> reivindicacao; // when it is an update
    QString motivo;   // why it is no update, for the error log; empty when it is one
    QByteArray marca; // what was refused, to tell it only once
};

// Downloads the update's signature into `pasta` and judges it: the publisher's key, a version
// newer than this one.
Anuncio leAnuncio(const OpcoesInicio& opcoes, const QString& pasta) {
    Anuncio a;
    remoto::PedidoFtp pedido =
        remoto::PedidoDoPrograma(opcoes.rede.servidorFtp, remoto::ArquivoDeAssinatura(kInstalador));
    pedido.local = QDir(pasta).filePath(pedido.arquivo);
    pedido.limites.tamanhoMaximo = remoto::kMaximoDaAssinatura;
    const remoto::Desfecho baixou = remoto::BaixaEsperando(pedido);
    QFile arquivo(pedido.local);
    const QByteArray conteudo = baixou.ok() && arquivo.open(QIODevice::ReadOnly)
                                    ? arquivo.read(remoto::kMaximoDaAssinatura + 1)
                                    : QByteArray();
    if (!baixou.ok()) {
        nucleo::Registra(baixou.falha());
        a.motivo = baixou.falha().tipo == nucleo::Falha::Tipo::Inexistente
                       ? textos::MotivoSemAssinatura
                       : textos::MotivoAssinaturaNaoBaixada;
    } else if (auto lida = remoto::LeReivindicacao(conteudo, QByteArray(kChaveAtualizacao),
                                                   nucleo::VersaoExibida)) {
        a.reivindicacao = std::move(*lida);
    } else {
        a.motivo = lida.falha().texto;
    }
    const QByteArray recusado = a.motivo.toUtf8() + '\n' + conteudo;
    a.marca = QCryptographicHash::hash(recusado, QCryptographicHash::Sha256).toHex();
    return a;
}

// A claim that is no update: recorded in the error log, told once.
void recusa(const Anuncio& anuncio, ConversaDaPartida& conversa) {
    nucleo::RegistraNoLog(
        QStringLiteral("Atualizacao"), textos::AtualizacaoRecusadaNoLog.arg(anuncio.motivo),
        QStringLiteral("VerificaAtualizacao"), remoto::ArquivoDeAssinatura(kInstalador));
    // The same refusal again (at every start, until the server is mended) says nothing more.
    const QString marca = ArquivoDoPrograma(kRecusada);
    QFile anterior(marca);
    if (anterior.open(QIODevice::ReadOnly) && anterior.readAll() == anuncio.marca)
        return;
    anterior.close();
    // Where the mark cannot be kept, the notice comes again at the next start: said in the log.
    if (auto marcada = nucleo::GravaArquivoInteiro(marca, anuncio.marca); !marcada)
        nucleo::Registra(marcada.falha());
    conversa.avisa(textos::AtualizacaoRecusada);
}

// Downloads the installer into `pasta`, runs it only when it is the file `reivindicacao` signed.
void atualiza(const OpcoesInicio& opcoes, const remoto::Reivindicacao& reivindicacao,
              QTemporaryDir& pasta, ConversaDaPartida& conversa) {
    conversa.avisa(textos::NovaVersao);
    QLockFile trava(ArquivoDoPrograma(kTravaDaAtualizacao));
    if (!trava.tryLock(0)) {
        conversa.avisa(textos::OutraAtualizacao);
        return;
    }
    // An installer of an earlier version's updates, left in the program folder: not to be run.
    if (!pasta.isValid() || !apaga(ArquivoDoPrograma(kInstalador))) {
        conversa.avisa(
            nucleo::textos::NaoGravou(nucleo::Falha::Tipo::SemPermissao, PastaDoPrograma()));
        return;
    }
    remoto::PedidoFtp pedido = remoto::PedidoDoPrograma(opcoes.rede.servidorFtp, kInstalador);
    pedido.local = pasta.filePath(kInstalador);
    pedido.limites.tamanhoMaximo = kMaximoInstalador;
    // Fails closed: a wait that never ran its work is no download.
    remoto::Desfecho baixou = nucleo::Falha{nucleo::Falha::Tipo::Rede, textos::FalhaDownload};
    conversa.aguarda(textos::BaixandoAtualizacao, [&] { baixou = remoto::BaixaEsperando(pedido); });
    if (!baixou.ok()) {
        nucleo::Registra(baixou.falha());
        conversa.avisa(baixou.falha().naGravacao() ? baixou.falha().texto : textos::FalhaDownload);
        return;
    }
    // The file checked is the file started: held open, in a folder of this run, from the check
    // until the start has returned.
    QFile::setPermissions(pedido.local, QFile::permissions(pedido.local) | QFile::ExeOwner |
                                            QFile::ExeGroup | QFile::ExeOther);
    nucleo::ArquivoRetido instalador(pedido.local);
    if (!instalador.aberto() || !remoto::ConfereArquivo(reivindicacao, instalador.leitura())) {
        conversa.avisa(textos::AtualizacaoNaoVerificada);
        return; // the folder goes with it: nothing is left to be run by hand
    }
    conversa.avisa(textos::Desatualizada);
    pasta.setAutoRemove(false); // the installer runs from there; the next start removes it
    const auto iniciar = opcoes.iniciarProcesso ? opcoes.iniciarProcesso : nucleo::IniciaPrograma;
    if (!iniciar(pedido.local, PastaDoPrograma()))
        conversa.avisa(textos::FalhaInstalador);
}
} // namespace

Rumo Parte(const OpcoesInicio& opcoes, ConversaDaPartida& conversa) {
    // Writes cut short when the program was last killed leave temporary files behind.
    nucleo::RemoveTemporariosAbandonados(PastaDoPrograma());
    removePastasAbandonadas();
    if (!VerificaConexaoInternet(opcoes.rede.conexao)) {
        conversa.avisa(textos::SemConexao);
        return Rumo::Fim;
    }
    const auto versao = ChecaVersao(opcoes.rede.servidorFtp);
    if (!versao) {
        const nucleo::Falha& falha = versao.falha();
        // Without a folder to write in, an update could not land either: say what is wrong.
        if (falha.naGravacao()) {
            conversa.avisa(nucleo::Diz(falha));
            return Rumo::Fim;
        }
        // Nothing is known of the version, and nobody announced one: the supplier is told what
        // happened (a server that can no longer be trusted in the login's own words) and goes on
        // with this version, as when none is announced.
        nucleo::Registra(falha);
        conversa.avisa(falha.tipo == nucleo::Falha::Tipo::Inseguro ? falha.texto
                                                                   : textos::VersaoNaoVerificada);
        return Rumo::Login;
    }
    if (versao->naoPublicou)
        nucleo::RegistraNoLog(QStringLiteral("Versao"), textos::VersaoNaoPublicada,
                              QStringLiteral("ChecaVersao"), kArquivoVersao);
    if (!versao->anunciada)
        return Rumo::Login;
    // Versao.ini is anyone's to write: only the publisher's signed claim of a newer version makes
    // an update. Anything less leaves the supplier at work on this version.
    QTemporaryDir pasta(ArquivoDoPrograma(kPastaDaAtualizacao + QStringLiteral("XXXXXX")));
    const Anuncio anuncio = leAnuncio(opcoes, pasta.path());
    if (anuncio.reivindicacao) {
        atualiza(opcoes, *anuncio.reivindicacao, pasta, conversa);
        return Rumo::Fim;
    }
    recusa(anuncio, conversa);
    return Rumo::Login;
}

remoto::GuardaDeServidores GuardaNoBanco(const QString& arquivo) {
    remoto::GuardaDeServidores guarda;
    guarda.procura = [arquivo](const QString& servidor)
        -> nucleo::Resultado<std::optional<remoto::ServidorConhecido>> {
        banco::BancoLocal banco(arquivo);
        const auto achado = banco::ServidoresTls(banco).procura(servidor);
        if (!achado)
            return achado.falha();
        if (!*achado)
            return std::optional<remoto::ServidorConhecido>();
        return std::optional(remoto::ServidorConhecido{true, **achado});
    };
    guarda.guarda = [arquivo](const QString& servidor, const remoto::ServidorConhecido& conhecido) {
        banco::BancoLocal banco(arquivo);
        if (auto guardado = banco::ServidoresTls(banco).guarda(servidor, conhecido.chave);
            !guardado)
            nucleo::Diz(guardado.falha());
    };
    return guarda;
}

} // namespace inicio
