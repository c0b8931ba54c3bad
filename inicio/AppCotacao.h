#pragma once

#include "remoto/Assinatura.h"
#include "remoto/Conexao.h"
#include "janelas/App.h"

#include <QString>
#include <QTemporaryDir>

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
    struct Anuncio;
    // Downloads the update's signature into `pasta` and judges it: the publisher's key, a
    // version newer than this one.
    Anuncio leAnuncio(const QString& pasta);
    // A claim that is no update: recorded in the error log, told once.
    void recusa(const Anuncio& anuncio);
    // Downloads the installer into `pasta`, runs it only when it is the file `reivindicacao`
    // signed, and ends.
    void atualizar(const remoto::Reivindicacao& reivindicacao, QTemporaryDir& pasta);

    OpcoesInicio m_opcoes;
    std::unique_ptr<banco::BancoLocal> m_banco;
};

} // namespace inicio
