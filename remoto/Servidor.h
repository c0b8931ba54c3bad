#pragma once

#include <QString>

namespace remoto {

// Where the program talks to. The account and the places are constants of the program; only the
// two environment variables below can point a built program elsewhere (tests and the demo).
namespace Servidor {
inline const QString Usuario = QStringLiteral("srvtar");
inline const QString Senha = QStringLiteral("kelda5827");
inline const QString Diretorio = QStringLiteral("COTACAO");

// The vendor's FTP server, "host" or "host:port"; COTACAO_SERVIDOR_FTP overrides it.
QString ftp();
// The vendor's FTP server as the program was built, whatever the environment says.
QString ftpDaConstrucao();

// A host and a TCP port.
struct Endereco {
    QString host;
    quint16 porta = 0;
};

// The public web server whose port 80 tells that the internet can be reached;
// COTACAO_HOST_CONEXAO ("host" or "host:port") overrides it.
Endereco hostConexao();

// "host" or "host:port" ("[v6]:port" for an IPv6 address); the port is `portaPadrao` when absent
// or not a number.
Endereco endereco(const QString& texto, quint16 portaPadrao);
} // namespace Servidor

} // namespace remoto
