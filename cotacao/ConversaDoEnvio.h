#pragma once

#include "proposta/Envio.h"
#include "remoto/Conexao.h"

class QWidget;

namespace cotacao {

// What sending says and asks, over the quotation window: a question that defaults to "Sim" in
// the program's usual box, one that defaults to "Não" in a box of its own; warnings; the waiting
// notice while a transfer runs; the connection check with its message.
class ConversaDoEnvio : public proposta::Interlocutor {
public:
    ConversaDoEnvio(QWidget* janela, remoto::TesteConexao conexao);

    bool pergunta(const QString& texto, bool padraoSim) override;
    void avisa(const QString& texto) override;
    void aguarda(const QString& texto, const std::function<void()>& trabalho) override;
    bool conectado() override;

private:
    QWidget* m_janela;
    remoto::TesteConexao m_conexao;
};

} // namespace cotacao
