#include "remoto/Ftp.h"

#include "nucleo/Cp1252.h"
#include "nucleo/Erro.h"
#include "nucleo/Gravacao.h"
#include "nucleo/ProgramDir.h"
#include "nucleo/Textos.h"
#include "remoto/Espera.h"
#include "remoto/Servidor.h"
#include "remoto/Textos.h"
#include "remoto/Tls.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <cctype>
#include <cstdio>
#include <curl/curl.h>
#include <memory>
#include <mutex>
#include <optional>

using namespace nucleo;

namespace remoto {
namespace {

struct LiberaCurl {
    void operator()(CURL* curl) const { curl_easy_cleanup(curl); }
    void operator()(curl_slist* lista) const { curl_slist_free_all(lista); }
};
using Curl = std::unique_ptr<CURL, LiberaCurl>;
using ListaCurl = std::unique_ptr<curl_slist, LiberaCurl>;

Curl novaSessao() {
    static std::once_flag uma;
    std::call_once(uma, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
    return Curl(curl_easy_init());
}

// A bare file name: no path may reach outside the server's directory.
bool nomeSimples(const QString& nome) {
    return !nome.isEmpty() && nome != u"." && nome != u".." && !nome.contains(u'/') &&
           !nome.contains(u'\\') && !nome.contains(QChar(0));
}

// The local file as the caller named it, in full: never resolved against the current directory.
bool caminhoLocalValido(const QString& caminho) {
    return !caminho.contains(QChar(0)) && QDir::isAbsolutePath(caminho) &&
           !QFileInfo(caminho).fileName().isEmpty();
}

QByteArray escapado(CURL* curl, const QString& texto) {
    const QByteArray bytes = ParaCp1252(texto);
    char* saida = curl_easy_escape(curl, bytes.constData(), int(bytes.size()));
    QByteArray resultado(saida);
    curl_free(saida);
    return resultado;
}

// What a session watches while it runs: the deadline, the progress, and the server's replies.
struct Vigia {
    const FtpLimites* limites = nullptr;
    QElapsedTimer inicio;
    const AvisoDeProgresso* progresso = nullptr;
    qint64 ultimoFeito = -1;
    QList<int> respostas;      // the code of every complete reply, in order
    qint64 tamanhoRemoto = -1; // from the last "213 <size>" reply
    QByteArray multilinha;     // "NNN " while a multi-line reply "NNN-" is open
    CURL* curl = nullptr;
    bool tls = false;          // libcurl's own word that the control connection is encrypted
    QByteArray ultimaResposta; // the server's last reply line, for the error log
    char erro[CURL_ERROR_SIZE] = {};

    void recomeca() {
        respostas.clear();
        tamanhoRemoto = -1;
        ultimoFeito = -1;
        multilinha.clear();
        tls = false;
        ultimaResposta.clear();
        erro[0] = 0;
    }
};

int aoProgredir(void* dados, curl_off_t totalBaixar, curl_off_t baixado, curl_off_t totalEnviar,
                curl_off_t enviado) {
    auto* v = static_cast<Vigia*>(dados);
    const qint64 total = std::max<qint64>(totalBaixar, totalEnviar);
    const qint64 feito = std::max<qint64>(baixado, enviado);
    const qint64 prazo = std::max<qint64>(
        std::chrono::milliseconds(v->limites->prazoMinimo).count(),
        total > 0 ? total * 1000 / std::max<qint64>(v->limites->taxaDoPrazo, 1) : 0);
    if (v->inicio.elapsed() > prazo)
        return 1; // past the deadline: a trickle must end too
    if (v->progresso && *v->progresso && feito != v->ultimoFeito) {
        v->ultimoFeito = feito;
        (*v->progresso)(feito, total);
    }
    return 0;
}

// The server's replies as RFC 959 reads them: a reply is "NNN text"; "NNN-" opens a multi-line
// reply that ends at the line beginning "NNN ", and every line in between is text, whatever it
// looks like (a greeting may hold " 234 mensagem do dia").
size_t aoResponder(char* dados, size_t tamanho, size_t quantos, void* vigia) {
    auto* v = static_cast<Vigia*>(vigia);
    const size_t lidos = tamanho * quantos;
    QByteArrayView linha(dados, qsizetype(lidos));
    while (linha.endsWith('\n') || linha.endsWith('\r'))
        linha.chop(1);
    const bool comCodigo = linha.size() >= 3 && linha[0] >= '1' && linha[0] <= '5' &&
                           std::isdigit(uchar(linha[1])) && std::isdigit(uchar(linha[2]));
    const char depois = linha.size() > 3 ? linha[3] : ' ';
    if (!v->multilinha.isEmpty()) {
        if (!linha.startsWith(v->multilinha))
            return lidos; // text of the open reply
        v->multilinha.clear();
    } else if (!comCodigo || (depois != ' ' && depois != '-')) {
        return lidos;
    } else if (depois == '-') {
        v->multilinha = linha.first(3).toByteArray() + ' ';
        return lidos;
    }
    const int codigo = linha.first(3).toByteArray().toInt();
    v->respostas.append(codigo);
    if (codigo != 221) { // the goodbye to QUIT says nothing of what went wrong
        // The server's words, bounded and on one line: they go into the error log as they came.
        v->ultimaResposta = linha.first(std::min<qsizetype>(200, linha.size())).toByteArray();
        for (char& c : v->ultimaResposta)
            if (uchar(c) < 0x20 || c == 0x7f)
                c = '?';
    }
    if (codigo == 213)
        v->tamanhoRemoto =
            linha.sliced(std::min<qsizetype>(4, linha.size())).trimmed().toByteArray().toLongLong();
    return lidos;
}

// Called once the server is reached and logged into, before the transfer: whether the control
// connection runs over TLS is libcurl's to say, never a reply's text.
int antesDaTransferencia(void* vigia, char*, char*, int, int) {
    auto* v = static_cast<Vigia*>(vigia);
    curl_tlssessioninfo* sessao = nullptr;
    v->tls = curl_easy_getinfo(v->curl, CURLINFO_TLS_SSL_PTR, &sessao) == CURLE_OK && sessao &&
             sessao->backend != CURLSSLBACKEND_NONE && sessao->internals;
    return CURL_PREREQFUNC_OK;
}

// Sets up a session for `diretorio/arquivo`; the directory is entered with one CWD.
Curl sessao(const PedidoFtp& p, const QString& arquivo, Vigia& vigia) {
    Curl curl = novaSessao();
    if (!curl)
        return curl;
    CURL* c = curl.get();
    const QByteArray url = "ftp://" + ParaCp1252(p.servidor) + '/' +
                           escapado(c, p.diretorio.trimmed()) + '/' + escapado(c, arquivo);
    const QByteArray usuario = ParaCp1252(p.usuario);
    const QByteArray senha = ParaCp1252(p.senha);
    const FtpLimites& l = p.limites;
    curl_easy_setopt(c, CURLOPT_URL, url.constData());
    curl_easy_setopt(c, CURLOPT_USERNAME, usuario.constData());
    curl_easy_setopt(c, CURLOPT_PASSWORD, senha.constData());
    curl_easy_setopt(c, CURLOPT_PROTOCOLS_STR, "ftp");
    curl_easy_setopt(c, CURLOPT_FTP_FILEMETHOD, long(CURLFTPMETHOD_SINGLECWD));
    curl_easy_setopt(c, CURLOPT_TRANSFERTEXT, 0L);
    curl_easy_setopt(c, CURLOPT_FORBID_REUSE, 1L);
    curl_easy_setopt(c, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(c, CURLOPT_CONNECTTIMEOUT, long(l.conexao.count()));
    curl_easy_setopt(c, CURLOPT_SERVER_RESPONSE_TIMEOUT, long(l.resposta.count()));
    curl_easy_setopt(c, CURLOPT_LOW_SPEED_LIMIT, l.velocidadeMinima);
    curl_easy_setopt(c, CURLOPT_LOW_SPEED_TIME, long(l.parada.count()));
    vigia.limites = &p.limites;
    vigia.inicio.start();
    curl_easy_setopt(c, CURLOPT_NOPROGRESS, 0L);
    curl_easy_setopt(c, CURLOPT_XFERINFOFUNCTION, aoProgredir);
    curl_easy_setopt(c, CURLOPT_XFERINFODATA, &vigia);
    curl_easy_setopt(c, CURLOPT_HEADERFUNCTION, aoResponder);
    curl_easy_setopt(c, CURLOPT_HEADERDATA, &vigia);
    vigia.curl = c;
#ifdef _WIN32
    // Windows' own TLS resumes the control connection's TLS 1.2 session on a data connection, as
    // servers left at their defaults require; a TLS 1.3 one it does not resume.
    curl_easy_setopt(c, CURLOPT_SSLVERSION,
                     long(CURL_SSLVERSION_TLSv1_2) | long(CURL_SSLVERSION_MAX_TLSv1_2));
#endif
    curl_easy_setopt(c, CURLOPT_ERRORBUFFER, vigia.erro);
    curl_easy_setopt(c, CURLOPT_PREREQFUNCTION, antesDaTransferencia);
    curl_easy_setopt(c, CURLOPT_PREREQDATA, &vigia);
    return curl;
}

// How a session meets the server's TLS: what was known of it when the session started, and
// whether this is the first contact with a certificate no trust store vouches for, whose key is
// then taken as it comes and required from then on.
struct SessaoTls {
    ServidorConhecido antes;
    bool primeiroContato = false;
};

void aplicaTls(CURL* c, const SessaoTls& tls) {
    const bool exige = tls.antes.tls || tls.primeiroContato;
    const bool porChave = !tls.antes.chave.isEmpty() || tls.primeiroContato;
    // AUTH TLS before USER: a server that offers it never sees the password in clear, and one
    // that spoke TLS before and does not now is left before the password is sent.
    curl_easy_setopt(c, CURLOPT_USE_SSL, long(exige ? CURLUSESSL_ALL : CURLUSESSL_TRY));
    curl_easy_setopt(c, CURLOPT_FTPSSLAUTH, long(CURLFTPAUTH_TLS));
    curl_easy_setopt(c, CURLOPT_SSL_VERIFYPEER, porChave ? 0L : 1L);
    curl_easy_setopt(c, CURLOPT_SSL_VERIFYHOST, porChave ? 0L : 2L);
    curl_easy_setopt(c, CURLOPT_PINNEDPUBLICKEY,
                     tls.antes.chave.isEmpty() ? nullptr : tls.antes.chave.constData());
    curl_easy_setopt(c, CURLOPT_CERTINFO, 1L);
    // Windows' TLS asks for the revocation lists online: where they cannot be reached, the
    // certificate still holds.
    curl_easy_setopt(c, CURLOPT_SSL_OPTIONS, long(CURLSSLOPT_REVOKE_BEST_EFFORT));
}

// The key of the server's own certificate in this session; empty when unknown.
QByteArray chaveApresentada(CURL* c) {
    curl_certinfo* info = nullptr;
    if (curl_easy_getinfo(c, CURLINFO_CERTINFO, &info) != CURLE_OK || !info)
        return {};
    QList<CertificadoApresentado> cadeia;
    for (int i = 0; i < info->num_of_certs; ++i) {
        CertificadoApresentado certificado;
        for (const curl_slist* item = info->certinfo[i]; item; item = item->next) {
            const QByteArray campo(item->data);
            if (campo.startsWith("Subject:"))
                certificado.sujeito = campo.mid(8);
            else if (campo.startsWith("Issuer:"))
                certificado.emissor = campo.mid(7);
            else if (campo.startsWith("Cert:"))
                certificado.pem = campo.mid(5);
        }
        cadeia.append(certificado);
    }
    return ChaveDaFolha(cadeia);
}

// curl_easy_perform, driven by a multi handle that looks at the connections every 10 ms: over
// TLS, libcurl 7.88's own loop left the control connection's replies unread while it waited for
// the data connection's handshake, which the servers only answer after RETR, until a timer of
// its own ran out (200 ms to a second for each file).
CURLcode realiza(CURL* c, Vigia& vigia) {
    struct LiberaMulti {
        void operator()(CURLM* m) const { curl_multi_cleanup(m); }
    };
    const std::unique_ptr<CURLM, LiberaMulti> multi(curl_multi_init());
    if (!multi || curl_multi_add_handle(multi.get(), c) != CURLM_OK)
        return curl_easy_perform(c);
    int rodando = 1;
    CURLMcode estado = CURLM_OK;
    while (rodando && estado == CURLM_OK) {
        estado = curl_multi_perform(multi.get(), &rodando);
        if (rodando && estado == CURLM_OK)
            estado = curl_multi_poll(multi.get(), nullptr, 0, 10, nullptr);
    }
    if (estado != CURLM_OK) { // the transfer never ended: the multi handle's words for the log
        std::snprintf(vigia.erro, CURL_ERROR_SIZE, "%s", curl_multi_strerror(estado));
        curl_multi_remove_handle(multi.get(), c);
        return CURLE_FAILED_INIT;
    }
    CURLcode codigo = CURLE_FAILED_INIT;
    int restantes = 0;
    while (const CURLMsg* mensagem = curl_multi_info_read(multi.get(), &restantes))
        if (mensagem->msg == CURLMSG_DONE && mensagem->easy_handle == c)
            codigo = mensagem->data.result;
    curl_multi_remove_handle(multi.get(), c);
    return codigo;
}

// Runs the session `c` is set up for, under the TLS what is known of `servidor` asks, and keeps
// what it learnt. `recomeca` puts the local side back before a second attempt (the first contact
// with a certificate of the server's own, after the trust store refused it). Without a reading of
// what is known of the server, no session starts.
nucleo::Resultado<CURLcode> executa(CURL* c, const QString& servidor, Vigia& vigia, SessaoTls& tls,
                                    const std::function<void()>& recomeca = {}) {
    auto conhecido = Conhecido(servidor);
    if (!conhecido)
        return conhecido.falha();
    tls.antes = *conhecido;
    aplicaTls(c, tls);
    CURLcode codigo = realiza(c, vigia);
    if (codigo == CURLE_PEER_FAILED_VERIFICATION && !tls.antes.tls &&
        vigia.respostas.contains(234)) {
        tls.primeiroContato = true;
        aplicaTls(c, tls);
        vigia.recomeca();
        if (recomeca)
            recomeca();
        codigo = realiza(c, vigia);
    }
    if (!tls.antes.tls && vigia.tls) {
        const ServidorConhecido aprendido{true,
                                          tls.primeiroContato ? chaveApresentada(c) : QByteArray()};
        // Without the key of a certificate nobody vouches for, nothing is pinned: the next
        // session asks the trust store again, and takes the key then.
        if (!tls.primeiroContato || !aprendido.chave.isEmpty())
            Aprende(servidor, aprendido);
    }
    return codigo;
}

using nucleo::Falha;

Falha recusada(const QString& texto, const QString& nome) {
    return {Falha::Tipo::Recusada, texto.arg(nome), nome};
}

// What the error log keeps of a failed session: curl's words and the server's last reply.
QString detalheDe(CURLcode codigo, const Vigia* v) {
    QString detalhe = QString::fromUtf8(curl_easy_strerror(codigo));
    if (v && v->erro[0] && QString::fromUtf8(v->erro) != detalhe)
        detalhe += QStringLiteral(": ") + QString::fromUtf8(v->erro);
    if (v && !v->ultimaResposta.isEmpty())
        detalhe += textos::UltimaResposta.arg(QString::fromLatin1(v->ultimaResposta));
    return detalhe;
}

Falha semServidor(CURLcode codigo, const Vigia* v = nullptr) {
    return {Falha::Tipo::Rede, textos::SemServidor, detalheDe(codigo, v)};
}

// A transfer libcurl did not finish.
Falha falhaDe(CURLcode codigo, const QString& nome, const SessaoTls& tls, const Vigia& v) {
    CURL* c = v.curl;
    const auto inseguro = [&](const QString& texto, const QString& porque) {
        const QByteArray apresentada = chaveApresentada(c);
        const QString detalhe = textos::DetalheDasChaves.arg(
            porque,
            tls.antes.chave.isEmpty() ? textos::ChaveDoSistema
                                      : QString::fromLatin1(tls.antes.chave),
            apresentada.isEmpty() ? textos::ChaveDesconhecida : QString::fromLatin1(apresentada));
        return Falha{Falha::Tipo::Inseguro, texto, detalhe};
    };
    switch (codigo) {
    case CURLE_SSL_PINNEDPUBKEYNOTMATCH:
        return inseguro(textos::CertificadoMudou, textos::OutraChave);
    case CURLE_PEER_FAILED_VERIFICATION:
        if (tls.antes.tls)
            return inseguro(textos::CertificadoMudou, detalheDe(codigo, &v));
        return semServidor(codigo, &v);
    case CURLE_USE_SSL_FAILED:
        if (tls.antes.tls)
            return inseguro(textos::SemTls, textos::TlsRecusado);
        return semServidor(codigo, &v);
    case CURLE_REMOTE_FILE_NOT_FOUND:
        return {Falha::Tipo::Inexistente, textos::Inexistente.arg(nome), detalheDe(codigo, &v)};
    case CURLE_FILESIZE_EXCEEDED:
        return {Falha::Tipo::Recusada, textos::GrandeDemais.arg(nome), detalheDe(codigo, &v)};
    default:
        return semServidor(codigo, &v);
    }
}

// What a download writes into, with the count that enforces the size limit.
struct Destino {
    QSaveFile* arquivo = nullptr;
    qint64 escritos = 0;
    qint64 maximo = 0;
    bool grandeDemais = false;
    bool falhouGravacao = false;
};

size_t escreveNoArquivo(char* dados, size_t tamanho, size_t quantos, void* destino) {
    auto* d = static_cast<Destino*>(destino);
    const auto bytes = qint64(tamanho * quantos);
    if (d->escritos + bytes > d->maximo) {
        d->grandeDemais = true; // a server that did not announce the size
        return 0;
    }
    if (d->arquivo->write(dados, bytes) != bytes) {
        d->falhouGravacao = true;
        return 0;
    }
    d->escritos += bytes;
    return tamanho * quantos;
}

size_t leDoArquivo(char* buffer, size_t tamanho, size_t quantos, void* arquivo) {
    const qint64 lidos = static_cast<QFile*>(arquivo)->read(buffer, qint64(tamanho * quantos));
    return lidos < 0 ? CURL_READFUNC_ABORT : size_t(lidos);
}

// One upload session of the local file under `remoto`, followed by the commands of `depois`.
struct Envio {
    CURLcode codigo = CURLE_OK;
    Vigia vigia;
    std::optional<Falha> falha; // when the session did not end well
};

Envio enviaSessao(const PedidoFtp& p, QFile& local, const QString& remoto, const QString& nome,
                  const QList<QByteArray>& depois, const AvisoDeProgresso& progresso) {
    Envio e;
    e.vigia.progresso = &progresso;
    Curl curl = sessao(p, remoto, e.vigia);
    if (!curl) {
        e.codigo = CURLE_FAILED_INIT;
        return e;
    }
    ListaCurl comandos;
    for (const QByteArray& comando : depois)
        comandos.reset(curl_slist_append(comandos.release(), comando.constData()));
    local.seek(0);
    curl_easy_setopt(curl.get(), CURLOPT_UPLOAD, 1L);
    curl_easy_setopt(curl.get(), CURLOPT_READFUNCTION, leDoArquivo);
    curl_easy_setopt(curl.get(), CURLOPT_READDATA, &local);
    curl_easy_setopt(curl.get(), CURLOPT_INFILESIZE_LARGE, curl_off_t(local.size()));
    curl_easy_setopt(curl.get(), CURLOPT_POSTQUOTE, comandos.get());
    // libcurl 7.88 closes a TLS 1.3 data connection before the server has read all of it
    // (vsftpd answers 426 and keeps part of the file): uploads keep to TLS 1.2.
    curl_easy_setopt(curl.get(), CURLOPT_SSLVERSION,
                     long(CURL_SSLVERSION_TLSv1_2) | long(CURL_SSLVERSION_MAX_TLSv1_2));
    SessaoTls tls;
    const auto executou = executa(curl.get(), p.servidor, e.vigia, tls, [&] { local.seek(0); });
    if (!executou) {
        e.codigo = CURLE_ABORTED_BY_CALLBACK;
        e.falha = executou.falha();
        return e;
    }
    e.codigo = *executou;
    if (e.codigo != CURLE_OK)
        e.falha = falhaDe(e.codigo, nome, tls, e.vigia);
    return e;
}

// The replies that follow the transfer's "226": those of the commands sent after it.
QList<int> respostasDepoisDaTransferencia(const Vigia& v) {
    const qsizetype fim = v.respostas.lastIndexOf(226);
    return fim < 0 ? QList<int>() : v.respostas.mid(fim + 1);
}

} // namespace

Desfecho Baixa(const PedidoFtp& p, const AvisoDeProgresso& progresso) {
    const QString nome = p.arquivo.trimmed();
    if (!nomeSimples(nome) || !caminhoLocalValido(p.local))
        return recusada(textos::NomeInvalido, nome);
    const QString pasta = QFileInfo(p.local).absolutePath();
    Vigia vigia;
    vigia.progresso = &progresso;
    Curl curl = sessao(p, nome, vigia);
    if (!curl)
        return semServidor(CURLE_FAILED_INIT);

    QSaveFile local(p.local);
    local.setDirectWriteFallback(false);
    if (!local.open(QIODevice::WriteOnly))
        return nucleo::DiagnosticaFalha(pasta, 0);
    Destino destino{&local, 0, p.limites.tamanhoMaximo};
    curl_easy_setopt(curl.get(), CURLOPT_WRITEFUNCTION, escreveNoArquivo);
    curl_easy_setopt(curl.get(), CURLOPT_WRITEDATA, &destino);
    curl_easy_setopt(curl.get(), CURLOPT_MAXFILESIZE_LARGE, curl_off_t(p.limites.tamanhoMaximo));
    SessaoTls tls;
    const auto executou = executa(curl.get(), p.servidor, vigia, tls, [&] {
        // Nothing came before the handshake; the file starts over all the same.
        local.seek(0);
        local.resize(0);
        destino.escritos = 0;
    });
    if (!executou) {
        curl.reset();
        local.cancelWriting();
        return executou.falha();
    }
    const CURLcode codigo = *executou;
    if (codigo != CURLE_OK) {
        const Falha falha = falhaDe(codigo, nome, tls, vigia);
        curl.reset(); // close the connection before touching the local copy
        local.cancelWriting();
        if (destino.grandeDemais)
            return Falha{Falha::Tipo::Recusada, textos::GrandeDemais.arg(nome),
                         textos::MaisQue.arg(destino.maximo)};
        if (destino.falhouGravacao)
            return nucleo::DiagnosticaFalha(pasta, destino.escritos);
        return falha;
    }
    curl.reset();
    return nucleo::ConcluiGravacao(local);
}

Desfecho Sobe(const PedidoFtp& p, const AvisoDeProgresso& progresso) {
    const QString nome = p.arquivo.trimmed();
    if (!nomeSimples(nome) || !caminhoLocalValido(p.local))
        return recusada(textos::NomeInvalido, nome);
    QFile local(p.local);
    if (!local.open(QIODevice::ReadOnly))
        return Falha{Falha::Tipo::Ilegivel, nucleo::textos::NaoLeu(p.local), local.errorString()};
    const QString parte = nome + QStringLiteral(".parte");
    const QByteArray n = ParaCp1252(nome), np = ParaCp1252(parte);

    Envio e =
        enviaSessao(p, local, parte, nome, {"RNFR " + np, "RNTO " + n, "SIZE " + n}, progresso);
    const QList<int> depois = respostasDepoisDaTransferencia(e.vigia);
    const bool renomeou = depois.size() >= 2 && depois[0] == 350 && depois[1] == 250;
    if (e.codigo == CURLE_QUOTE_ERROR && !renomeou) {
        // A server that does not rename: the file goes under its name, as it always did, and the
        // part left behind is removed.
        e = enviaSessao(p, local, nome, nome, {"*DELE " + np, "SIZE " + n}, progresso);
    }
    if (e.codigo != CURLE_OK && e.codigo != CURLE_QUOTE_ERROR)
        return *e.falha;
    if (e.codigo == CURLE_QUOTE_ERROR || e.vigia.tamanhoRemoto != local.size()) {
        // For the log: what the server said it holds against what went.
        const QString tamanhos =
            QStringLiteral("SIZE %1, %2 bytes sent").arg(e.vigia.tamanhoRemoto).arg(local.size());
        return Falha{Falha::Tipo::Rede, textos::NaoRecebeuInteiro.arg(nome), tamanhos};
    }
    return {};
}

PedidoFtp PedidoDoPrograma(const QString& servidor, const QString& arquivo) {
    using namespace Servidor;
    return {servidor, Usuario, Senha, Diretorio, arquivo, nucleo::ArquivoDoPrograma(arquivo), {}};
}

} // namespace remoto

namespace {
remoto::PedidoFtp pedido(const QString& servidor, const QString& usuario, const QString& senha,
                         const QString& diretorio, const QString& arquivo) {
    return {servidor,  usuario, senha,
            diretorio, arquivo, nucleo::ArquivoDoPrograma(arquivo.trimmed()),
            {}};
}

// The answer these give is a bool; why a transfer failed goes to the error log.
bool contaNoLog(const remoto::Desfecho& desfecho) {
    if (!desfecho)
        nucleo::Registra(desfecho.falha());
    return desfecho.ok();
}
} // namespace

bool BaixarArquivoViaFTP(const QString& servidor, const QString& usuario, const QString& senha,
                         const QString& diretorio, const QString& arquivo) {
    return contaNoLog(remoto::BaixaEsperando(pedido(servidor, usuario, senha, diretorio, arquivo)));
}

bool EnviarArquivoViaFTP(const QString& servidor, const QString& usuario, const QString& senha,
                         const QString& diretorio, const QString& arquivo) {
    return contaNoLog(remoto::SobeEsperando(pedido(servidor, usuario, senha, diretorio, arquivo)));
}
