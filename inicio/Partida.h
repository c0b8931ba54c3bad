#pragma once

#include "remoto/Conexao.h"
#include "remoto/Tls.h"

#include <QString>

#include <functional>

// The program's start without its windows: connectivity, the version, and the self-update when
// the publisher's signed claim of a newer version holds. It decides; AppCotacao shows.
namespace inicio {

// What start-up talks to; the defaults are the program's own, tests point them elsewhere.
struct OpcoesInicio {
    remoto::Rede rede;
    // Opens the first window, which holds QuitOnClose: the program runs until it hands over or
    // closes. The login form when empty.
    std::function<void()> abrirLogin;
    // Starts a program as a process of its own, not waited for; false when it could not start.
    std::function<bool(const QString& programa, const QString& pasta)> iniciarProcesso;
};

// What start-up says along the way.
class ConversaDaPartida {
public:
    virtual ~ConversaDaPartida() = default;
    virtual void avisa(const QString& texto) = 0;
    // Runs `trabalho` with the waiting notice `texto` on screen.
    virtual void aguarda(const QString& texto, const std::function<void()>& trabalho) = 0;
};

// Where start-up leads: on to the login, or to the program's end (no connection, a folder that
// cannot be written, an update started or failed).
enum class Rumo { Login, Fim };

// Clears what an earlier run left behind (temporary files of cut writes, earlier updates'
// folders), checks the connection and the version; when the server announces a newer one, reads
// its signed claim first: a claim that does not hold is told once, logged with its reason, and
// the supplier goes on to the login; one that holds downloads the installer into a folder of this
// run, one update at a time, and starts it only when it is the file the claim signed.
Rumo Parte(const OpcoesInicio& opcoes, ConversaDaPartida& conversa);

// The local database, in the program folder.
inline const QString kArquivoDoBanco = QStringLiteral("Cotacao.db");

// What the transfers learn of the servers' TLS, kept in the local database file `arquivo`: each
// call opens it on the calling thread (the network thread's own connection). A database that
// cannot be read fails the lookup (no session starts); one that cannot be written is told in the
// error log.
remoto::GuardaDeServidores GuardaNoBanco(const QString& arquivo);

} // namespace inicio
