#pragma once

#include "remote/Conexao.h"
#include "runtime/ui/App.h"

#include <QString>

#include <functional>
#include <memory>

namespace banco {
class BancoLocal;
}

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

// The program's start: connectivity, version, then the login form or the self-update.
class AppCotacao : public App {
public:
    explicit AppCotacao(OpcoesInicio opcoes);
    ~AppCotacao() override;
    void Start() override;

private:
    // Downloads the installer and its signature; runs the installer only when the signature holds.
    void atualizar();

    OpcoesInicio m_opcoes;
    std::unique_ptr<banco::BancoLocal> m_banco;
};

} // namespace inicio
