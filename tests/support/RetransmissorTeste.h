#pragma once

#include "tests/support/ServidorFtpTeste.h"

#include <QByteArray>
#include <QFile>
#include <QProcess>
#include <QString>
#include <QTemporaryDir>

// A relay on the FTP control connection (retransmissor.py) the program talks to, with the server
// behind it changed at will, and every byte the client sent through it. With `saudacao`, every
// greeting begins with a multi-line reply holding those text lines (separated by "|").
struct RetransmissorTeste {
    QTemporaryDir pasta;
    QProcess processo;
    quint16 porta = 0;

    explicit RetransmissorTeste(const QString& saudacao = {}) {
        processo.start(QStringLiteral("/usr/bin/python3"),
                       {QStringLiteral(COTACAO_SOURCE_DIR "/tests/support/retransmissor.py"),
                        QStringLiteral("--destino"), pasta.filePath(QStringLiteral("destino")),
                        QStringLiteral("--registro"), pasta.filePath(QStringLiteral("fio")),
                        QStringLiteral("--saudacao"), saudacao});
        if (processo.waitForReadyRead(10000))
            porta = quint16(processo.readLine().trimmed().mid(6).toUInt());
    }
    ~RetransmissorTeste() {
        processo.kill();
        processo.waitForFinished(3000);
    }
    RetransmissorTeste(const RetransmissorTeste&) = delete;
    RetransmissorTeste& operator=(const RetransmissorTeste&) = delete;

    void para(const ServidorFtpTeste& servidor) const {
        QFile destino(pasta.filePath(QStringLiteral("destino")));
        if (destino.open(QIODevice::WriteOnly))
            destino.write(servidor.endereco().toLatin1());
    }
    QString endereco() const { return QStringLiteral("127.0.0.1:%1").arg(porta); }
    QByteArray fio() const {
        QFile f(pasta.filePath(QStringLiteral("fio")));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
};
