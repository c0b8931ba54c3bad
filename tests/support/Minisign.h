#pragma once

#include <QFile>
#include <QProcess>
#include <QString>
#include <QStringList>

// Signatures made at test time by the minisign command, as the publisher makes them, with the
// tests' own key pair (tests/support/atualizacao-teste.*: a test key, never for publishing; the
// test build compiles its public key into the program).
namespace minisign {

inline QString chavePublicaTeste() {
    return QStringLiteral(COTACAO_SOURCE_DIR "/tests/support/atualizacao-teste.pub");
}
inline QString chaveSecretaTeste() {
    return QStringLiteral(COTACAO_SOURCE_DIR "/tests/support/atualizacao-teste.key");
}

// An installer-like file of `tamanho` varied bytes (xorshift), the same at every call.
inline QByteArray instaladorDeTeste(qsizetype tamanho) {
    QByteArray dados(tamanho, Qt::Uninitialized);
    quint32 x = 2463534242u;
    for (char& c : dados) {
        x ^= x << 13;
        x ^= x >> 17;
        x ^= x << 5;
        c = char(x);
    }
    return dados;
}

inline QByteArray ler(const QString& caminho) {
    QFile f(caminho);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Runs minisign with `argumentos`; true when it ran and succeeded.
inline bool executa(const QStringList& argumentos) {
    QProcess p;
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(QStringLiteral("minisign"), argumentos);
    p.closeWriteChannel();
    if (!p.waitForFinished(30000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) {
        qWarning("minisign %s: %s", qPrintable(argumentos.join(u' ')), p.readAll().constData());
        return false;
    }
    return true;
}

// Signs `arquivo` into `assinatura` with the secret key (no password) and the trusted comment;
// `legado`: the legacy, not prehashed, "Ed" signature.
inline bool assina(const QString& arquivo, const QString& assinatura, const QString& comentario,
                   const QString& chaveSecreta = chaveSecretaTeste(), bool legado = false) {
    QStringList argumentos{QStringLiteral("-S"),
                           QStringLiteral("-s"),
                           chaveSecreta,
                           QStringLiteral("-m"),
                           arquivo,
                           QStringLiteral("-x"),
                           assinatura,
                           QStringLiteral("-t"),
                           comentario};
    if (legado)
        argumentos << QStringLiteral("-l");
    return executa(argumentos);
}

// A new key pair without password, e.g. "another publisher's".
inline bool geraChaves(const QString& publica, const QString& secreta) {
    return executa({QStringLiteral("-G"), QStringLiteral("-W"), QStringLiteral("-f"),
                    QStringLiteral("-p"), publica, QStringLiteral("-s"), secreta});
}

} // namespace minisign
