#pragma once

#include "formatos/Cotacao.h"
#include "nucleo/Resultado.h"

#include <QString>

#include <functional>
#include <optional>

// The login without its window: the checks of what was typed, the quotation's download and the
// checks against it. The login form types and binds; this decides.
namespace acesso {

// What the supplier typed, as the fields hold it (the CNPJ as shown, punctuation and blanks
// included).
struct Credenciais {
    QString codigo;
    QString senha;
    QString cnpj;
};

// The field a refusal sends the supplier back to.
enum class Campo { Codigo, Senha, CNPJ };

// What the login says along the way, in the window that logs in.
class ConversaDoLogin {
public:
    virtual ~ConversaDoLogin() = default;
    // Tells why the login cannot go on; with a field, sends the supplier back to it.
    virtual void recusa(const QString& texto, std::optional<Campo> campo) = 0;
    // Whether the Internet answers; the window tells the supplier when it does not.
    virtual bool conectado() = 0;
    // Runs `trabalho` with the waiting notice `texto` on screen.
    virtual void aguarda(const QString& texto, const std::function<void()>& trabalho) = 0;
};

// A login that got through: the quotation as downloaded and read.
struct Entrada {
    QString codigo;      // as typed
    QString cnpjDigitos; // the CNPJ's 14 digits
    formatos::Cotacao cotacao;
};

// Checks what was typed (the number, then the password, then the CNPJ; nothing reaches the
// network before all three are well formed), checks the connection, downloads the quotation into
// the program folder, reads it once and checks the password and that the CNPJ may answer. Every
// refusal is told once, through `conversa` (which sends the supplier back to its field), and is
// the failure answered, in the same words (a missing connection, which the window tells in its
// own, is answered as Rede); only the server's "no such file" says the number does
// not exist, and a file that came whole but cannot be read is told as such.
nucleo::Resultado<Entrada> Entra(const Credenciais& credenciais, const QString& servidorFtp,
                                 ConversaDoLogin& conversa);

} // namespace acesso
