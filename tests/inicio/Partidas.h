#pragma once

// What the tests of start-up share: a program folder, its FTP server with Versao.ini and a signed
// installer as scripts/publicar leaves them, and a connectivity host.
#include "inicio/ChecagemDeVersao.h"
#include "inicio/Partida.h"
#include "nucleo/Versao.h"
#include "tests/support/DiretorioTeste.h"
#include "tests/support/Minisign.h"
#include "tests/support/ServidorFtpTeste.h"

#include <QFile>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QVersionNumber>

namespace teste {

using namespace inicio;

inline QByteArray versao(const QByteArray& numero) {
    return "[Geral]\r\nVersao=" + numero + "\r\n";
}

inline bool houveUpload(ServidorFtpTeste& servidor) {
    return !servidor.comandos().filter(QStringLiteral("STOR ")).isEmpty();
}

inline const QByteArray kInstaladorTeste = "#!/bin/sh\nexit 0\n";
inline const QString kInstalador = QStringLiteral("CotacaoInstall.exe");
inline const QString kAssinatura = QStringLiteral("CotacaoInstall.exe.minisig");

// The trusted comment of an update: the version after the running program's, or `passos` from it.
inline QString comentarioDaVersao(int passos = 1) {
    const QVersionNumber nossa = QVersionNumber::fromString(nucleo::VersaoExibida);
    return QStringLiteral("versao=%1.%2")
        .arg(nossa.majorVersion())
        .arg(nossa.minorVersion() + passos, 2, 10, QLatin1Char('0'));
}

// The minisign signature of `instalador`, made as the publisher makes it (the test build's
// program trusts the tests' key).
inline QByteArray assinatura(const QByteArray& instalador,
                             const QString& comentario = comentarioDaVersao(),
                             const QString& chaveSecreta = minisign::chaveSecretaTeste()) {
    QTemporaryDir pasta;
    const QString arquivo = pasta.filePath(kInstalador);
    QFile f(arquivo);
    if (!f.open(QIODevice::WriteOnly) || f.write(instalador) != instalador.size())
        qFatal("could not write a test file");
    f.close();
    const QString saida = pasta.filePath(kAssinatura);
    if (!minisign::assina(arquivo, saida, comentario, chaveSecreta))
        qFatal("minisign could not sign (scripts/setup installs it)");
    return minisign::ler(saida);
}

// The installer and its signature on the server, as scripts/publicar leaves them.
inline void publica(ServidorFtpTeste& servidor, const QByteArray& instalador) {
    servidor.colocar(kInstalador, instalador);
    servidor.colocar(kAssinatura, assinatura(instalador));
}

struct Inicializacao {
    ServidorFtpTeste servidor;
    DiretorioTeste programa;
    QTcpServer internet;
    QStringList processos;

    OpcoesInicio opcoes() {
        internet.listen(QHostAddress::LocalHost);
        OpcoesInicio o;
        o.rede.servidorFtp = servidor.endereco();
        o.rede.conexao.host = {QStringLiteral("127.0.0.1"), internet.serverPort()};
        o.rede.conexao.dormir = [](std::chrono::milliseconds) {};
        return o;
    }
};

} // namespace teste
