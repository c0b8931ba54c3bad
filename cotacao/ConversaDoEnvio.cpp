#include "cotacao/ConversaDoEnvio.h"

#include "proposta/Textos.h"
#include "dialogos/Dialogo.h"
#include "janelas/Caixas.h"
#include "janelas/Conectividade.h"
#include "janelas/FormEmEspera.h"
#include "janelas/Textos.h"

using namespace janelas;
using namespace proposta;

cotacao::ConversaDoEnvio::ConversaDoEnvio(QWidget* janela, remoto::TesteConexao conexao)
    : m_janela(janela)
    , m_conexao(std::move(conexao)) {}

bool cotacao::ConversaDoEnvio::pergunta(const QString& texto, bool padraoSim) {
    using namespace proposta::textos;
    return padraoSim ? AvisoGet(texto, Sim, Nao, 1)
                     : Caixas::simOuNao(m_janela, texto, Sim, Nao, false);
}

void cotacao::ConversaDoEnvio::avisa(const QString& texto) {
    Caixas::aviso(m_janela, janelas::textos::Aviso, texto);
}

void cotacao::ConversaDoEnvio::aguarda(const QString& texto,
                                       const std::function<void()>& trabalho) {
    const AvisoEmEspera aviso(texto);
    trabalho();
}

bool cotacao::ConversaDoEnvio::conectado() {
    return ConectadoOuAvisa(m_janela, [this] { return VerificaConexaoInternet(m_conexao); });
}
