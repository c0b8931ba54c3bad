#pragma once

#include <QString>

#include <chrono>

// Time limits of one FTP session. A dead or stalled server must never hold the program: the
// connection (greeting included), every reply of the server and every stall of a transfer is
// bounded, so a session ends within about a minute at worst.
inline constexpr long kVelocidadeMinima = 100; // bytes per second; far below any real line

struct FtpLimites {
    std::chrono::seconds conexao{15};
    std::chrono::seconds resposta{30};
    std::chrono::seconds parada{30}; // less than kVelocidadeMinima for this long
};

// One whole FTP session per call (connect, log in, change to `diretorio`, transfer `arquivo` in
// binary, close); true only if every step succeeded. `servidor` is "host" or "host:port";
// server, user and password are used as given, directory and file name without the blanks
// around them. The local file is `arquivo` in the current directory. Nothing is shown or
// retried; no connection stays open after the call.
//
// A download lands in a temporary file beside the local copy, which it replaces only once the
// whole file arrived and is on disk: a failed download leaves the previous copy as it was.
bool BaixarArquivoViaFTP(const QString& servidor, const QString& usuario, const QString& senha,
                         const QString& diretorio, const QString& arquivo,
                         const FtpLimites& limites = {});

bool EnviarArquivoViaFTP(const QString& servidor, const QString& usuario, const QString& senha,
                         const QString& diretorio, const QString& arquivo,
                         const FtpLimites& limites = {});
