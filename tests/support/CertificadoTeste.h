#pragma once

#include <QByteArray>
#include <QProcess>
#include <QString>
#include <QTemporaryDir>

// A self-signed certificate made by openssl for 127.0.0.1, its key, and the key's pin as openssl
// computes it (not as the program does).
struct CertificadoTeste {
    QTemporaryDir pasta;
    QString arquivo = pasta.filePath(QStringLiteral("c.pem"));
    QString chave = pasta.filePath(QStringLiteral("k.pem"));
    QByteArray pino;

    CertificadoTeste() {
        QProcess gera;
        gera.start(QStringLiteral("openssl"),
                   {QStringLiteral("req"), QStringLiteral("-x509"), QStringLiteral("-newkey"),
                    QStringLiteral("rsa:2048"), QStringLiteral("-nodes"), QStringLiteral("-subj"),
                    QStringLiteral("/CN=127.0.0.1"), QStringLiteral("-days"), QStringLiteral("2"),
                    QStringLiteral("-keyout"), chave, QStringLiteral("-out"), arquivo});
        gera.waitForFinished(60000);
        QProcess pin;
        pin.start(QStringLiteral("sh"),
                  {QStringLiteral("-c"),
                   QStringLiteral("openssl x509 -in '%1' -pubkey -noout | openssl pkey -pubin "
                                  "-outform der | openssl dgst -sha256 -binary | base64")
                       .arg(arquivo)});
        pin.waitForFinished(60000);
        pino = "sha256//" + pin.readAllStandardOutput().trimmed();
    }
};
