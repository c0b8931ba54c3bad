#pragma once

#include "remoto/Servidor.h"

#include <QHostAddress>
#include <QList>

#include <chrono>
#include <functional>

namespace remoto {

// How the connectivity check is made; the defaults are the program's.
struct TesteConexao {
    Servidor::Endereco host = Servidor::hostConexao();
    std::chrono::milliseconds pausa{5000}; // after every failed attempt
    // Per attempt, the name lookup and the connection together: a resolver that never answers
    // ends the attempt too.
    std::chrono::milliseconds limiteConexao{5000};
    // Waits out a pause; tests record the pauses instead. By default the window waits in its
    // event loop, painting, with the person's input held back.
    std::function<void(std::chrono::milliseconds)> dormir;
    // Looks a host name up and answers its addresses through `resposta` (possibly never); the
    // system's resolver by default. Tests put a silent one here.
    using Resposta = std::function<void(const QList<QHostAddress>& enderecos)>;
    std::function<void(const QString& host, const Resposta& resposta)> resolve;
};

// Where the program talks to: the vendor's FTP server and the connectivity test.
struct Rede {
    QString servidorFtp = Servidor::ftp();
    TesteConexao conexao;
};

} // namespace remoto

// True when a TCP connection to the test host succeeds within three attempts. Nothing is sent:
// a completed connection is the whole test.
bool VerificaConexaoInternet(const remoto::TesteConexao& teste = {});
