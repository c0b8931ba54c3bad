#include "remoto/Assinatura.h"

#include "remoto/Textos.h"

#include <QFile>
#include <QList>
#include <QVersionNumber>

#include <sodium.h>

namespace remoto {

namespace {

// minisign's formats: a public key is "Ed", an 8-byte
// key id and the 32-byte Ed25519 key; a signature line is the algorithm ("ED": the BLAKE2b-512
// of the file is signed), the key id and the 64-byte signature; the global signature covers
// the signature and the trusted comment.
constexpr qsizetype kAlgoritmo = 2;
constexpr qsizetype kIdDaChave = 8;
constexpr qsizetype kChave = kAlgoritmo + kIdDaChave + crypto_sign_PUBLICKEYBYTES;
constexpr qsizetype kAssinatura = kAlgoritmo + kIdDaChave + crypto_sign_BYTES;
constexpr qsizetype kHash = crypto_generichash_BYTES_MAX; // BLAKE2b-512

const QByteArray kComentarioNaoConfiavel = "untrusted comment:";
const QByteArray kComentarioConfiavel = "trusted comment: ";
const QByteArray kVersao = "versao=";

// Strict base64 of exactly `tamanho` bytes, or empty.
QByteArray base64(const QByteArray& texto, qsizetype tamanho) {
    const auto decodificado =
        QByteArray::fromBase64Encoding(texto, QByteArray::AbortOnBase64DecodingErrors);
    if (!decodificado || decodificado.decoded.size() != tamanho)
        return {};
    return decodificado.decoded;
}

QList<QByteArray> linhas(const QByteArray& texto) {
    QList<QByteArray> resultado = texto.split('\n');
    for (QByteArray& linha : resultado) {
        if (linha.endsWith('\r'))
            linha.chop(1);
    }
    while (!resultado.isEmpty() && resultado.constLast().isEmpty())
        resultado.removeLast();
    return resultado;
}

// The 42 bytes of the key: the .pub file's line that is not its comment.
QByteArray chaveDe(const QByteArray& texto) {
    for (const QByteArray& linha : linhas(texto)) {
        if (linha.isEmpty() || linha.startsWith(kComentarioNaoConfiavel))
            continue;
        const QByteArray chave = base64(linha.trimmed(), kChave);
        if (chave.isEmpty() || !chave.startsWith("Ed"))
            return {};
        return chave;
    }
    return {};
}

const unsigned char* bytes(const QByteArray& dados, qsizetype inicio = 0) {
    return reinterpret_cast<const unsigned char*>(dados.constData() + inicio);
}

// The BLAKE2b-512 of what `arquivo` reads, in pieces; empty when it cannot be read.
QByteArray blake2b(QIODevice& arquivo) {
    crypto_generichash_state estado;
    crypto_generichash_init(&estado, nullptr, 0, kHash);
    QByteArray pedaco(256 * 1024, Qt::Uninitialized);
    for (;;) {
        const qint64 lidos = arquivo.read(pedaco.data(), pedaco.size());
        if (lidos < 0)
            return {};
        if (lidos == 0)
            break;
        crypto_generichash_update(&estado, bytes(pedaco), static_cast<unsigned long long>(lidos));
    }
    QByteArray hash(kHash, Qt::Uninitialized);
    crypto_generichash_final(&estado, reinterpret_cast<unsigned char*>(hash.data()), kHash);
    return hash;
}

// "versao=1.08" among the trusted comment's words; a null version when there is none.
QVersionNumber versaoDo(const QByteArray& comentario, QString* texto) {
    for (const QByteArray& palavra : comentario.simplified().split(' ')) {
        if (!palavra.startsWith(kVersao))
            continue;
        *texto = QString::fromLatin1(palavra.mid(kVersao.size()));
        qsizetype fim = 0;
        const QVersionNumber versao = QVersionNumber::fromString(*texto, &fim);
        return fim == texto->size() ? versao : QVersionNumber();
    }
    return {};
}

nucleo::Falha recusada(const QString& motivo) {
    return {nucleo::Falha::Tipo::Recusada, motivo};
}

} // namespace

QString ArquivoDeAssinatura(const QString& arquivo) {
    return arquivo + QStringLiteral(".minisig");
}

nucleo::Resultado<Reivindicacao> LeReivindicacao(const QByteArray& conteudo,
                                                 const QByteArray& chavePublica,
                                                 const QString& versaoEmExecucao) {
    if (sodium_init() < 0)
        return recusada(textos::MotivoNaoConfere);
    const QByteArray chave = chaveDe(chavePublica);
    if (chave.isEmpty())
        return recusada(textos::MotivoChaveInvalida);
    if (conteudo.size() > kMaximoDaAssinatura)
        return recusada(textos::MotivoAssinaturaMalformada);
    const QList<QByteArray> l = linhas(conteudo);
    if (l.size() != 4 || !l[0].startsWith(kComentarioNaoConfiavel) ||
        !l[2].startsWith(kComentarioConfiavel))
        return recusada(textos::MotivoAssinaturaMalformada);
    const QByteArray assinado = base64(l[1].trimmed(), kAssinatura);
    const QByteArray global = base64(l[3].trimmed(), crypto_sign_BYTES);
    // Legacy "Ed" signatures (the whole file signed) are not accepted: minisign has written
    // prehashed ones by default since 0.8, and scripts/publicar always does.
    if (assinado.isEmpty() || global.isEmpty() || !assinado.startsWith("ED"))
        return recusada(textos::MotivoAssinaturaMalformada);
    if (assinado.mid(kAlgoritmo, kIdDaChave) != chave.mid(kAlgoritmo, kIdDaChave))
        return recusada(textos::MotivoOutraChave);

    // The global signature covers the file's signature and the trusted comment: it holds
    // without the file, so a claim is judged before anything large is fetched.
    const QByteArray chaveEd25519 = chave.mid(kAlgoritmo + kIdDaChave);
    const QByteArray assinaturaEd25519 = assinado.mid(kAlgoritmo + kIdDaChave);
    const QByteArray comentario = l[2].mid(kComentarioConfiavel.size());
    const QByteArray coberto = assinaturaEd25519 + comentario;
    if (crypto_sign_verify_detached(bytes(global), bytes(coberto),
                                    static_cast<unsigned long long>(coberto.size()),
                                    bytes(chaveEd25519)) != 0)
        return recusada(textos::MotivoNaoConfere);

    QString texto;
    const QVersionNumber versao = versaoDo(comentario, &texto);
    if (versao.isNull())
        return recusada(textos::MotivoSemVersao);
    if (versao <= QVersionNumber::fromString(versaoEmExecucao))
        return recusada(textos::MotivoVersaoAntiga.arg(texto, versaoEmExecucao));
    return Reivindicacao{texto, assinaturaEd25519, chaveEd25519};
}

nucleo::Resultado<void> ConfereArquivo(const Reivindicacao& reivindicacao, QIODevice& arquivo) {
    const QByteArray hash = blake2b(arquivo);
    if (hash.isEmpty())
        return nucleo::Falha{nucleo::Falha::Tipo::Ilegivel, textos::MotivoAssinaturaAusente,
                             arquivo.errorString()};
    if (crypto_sign_verify_detached(bytes(reivindicacao.assinatura), bytes(hash), kHash,
                                    bytes(reivindicacao.chave)) != 0)
        return recusada(textos::MotivoNaoConfere);
    return {};
}

nucleo::Resultado<QString> VerificaAssinatura(const QString& arquivo, const QString& assinatura,
                                              const QByteArray& chavePublica,
                                              const QString& versaoEmExecucao) {
    QFile arquivoDeAssinatura(assinatura);
    if (!arquivoDeAssinatura.open(QIODevice::ReadOnly))
        return nucleo::Falha{nucleo::Falha::Tipo::Ilegivel, textos::MotivoAssinaturaAusente,
                             arquivoDeAssinatura.errorString()};
    const auto reivindicacao = LeReivindicacao(arquivoDeAssinatura.read(kMaximoDaAssinatura + 1),
                                               chavePublica, versaoEmExecucao);
    if (!reivindicacao)
        return reivindicacao.falha();
    QFile assinado(arquivo);
    if (!assinado.open(QIODevice::ReadOnly))
        return nucleo::Falha{nucleo::Falha::Tipo::Ilegivel, textos::MotivoAssinaturaAusente,
                             assinado.errorString()};
    if (auto conferido = ConfereArquivo(*reivindicacao, assinado); !conferido)
        return conferido.falha();
    return reivindicacao->versao;
}

} // namespace remoto
