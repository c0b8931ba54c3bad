#pragma once

#include "proposta/Atendimento.h"
#include "remoto/Conexao.h"

#include <functional>

class QWidget;

namespace cotacao {

// What the quotation window says and asks as it opens, sends and closes: a question that
// defaults to "Sim" in the program's usual box, one that defaults to "Não" in a box of its own;
// warnings; the waiting notice while a transfer runs; the connection check with its message; and
// the window's own parts, through `preenchendo` and `situacao`.
class ConversaDaJanela : public proposta::ConversaDaAbertura {
public:
    struct Partes {
        std::function<void(bool)> preenchendo;
        std::function<void(const QString&)> situacao;
    };
    ConversaDaJanela(QWidget* janela, remoto::TesteConexao conexao, Partes partes = {});

    bool pergunta(const QString& texto, bool padraoSim) override;
    void avisa(const QString& texto) override;
    void aguarda(const QString& texto, const std::function<void()>& trabalho) override;
    bool conectado() override;
    void preenchendo(bool sim) override;
    void mostraSituacao(const QString& texto) override;

private:
    QWidget* m_janela;
    remoto::TesteConexao m_conexao;
    Partes m_partes;
};

} // namespace cotacao
