#pragma once

#include "inicio/Partida.h"
#include "janelas/App.h"

#include <memory>

namespace banco {
class BancoLocal;
}

namespace programa {

// The program's start: inicio::Parte says where it leads, in boxes and the waiting notice; then
// the login form, with the local database, when it leads there.
class AppCotacao : public App {
public:
    explicit AppCotacao(inicio::OpcoesInicio opcoes);
    ~AppCotacao() override;
    void Start() override;

private:
    inicio::OpcoesInicio m_opcoes;
    std::unique_ptr<banco::BancoLocal> m_banco;
};

} // namespace programa
