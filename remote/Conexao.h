#pragma once

#include "remote/Servidor.h"

#include <chrono>
#include <functional>

// How the connectivity check is made; the defaults are the program's.
struct TesteConexao {
    Servidor::Endereco host = Servidor::hostConexao();
    std::chrono::milliseconds pausa{5000};         // after every failed attempt
    std::chrono::milliseconds limiteConexao{5000}; // per attempt
    // Blocks the thread for a pause; tests record the pauses instead of waiting them out.
    std::function<void(std::chrono::milliseconds)> dormir;
};

// Where the program talks to: the vendor's FTP server and the connectivity test.
struct Rede {
    QString servidorFtp = Servidor::ftp();
    TesteConexao conexao;
};

// True when a TCP connection to the test host succeeds within three attempts. Nothing is sent:
// a completed connection is the whole test.
bool VerificaConexaoInternet(const TesteConexao& teste = {});
