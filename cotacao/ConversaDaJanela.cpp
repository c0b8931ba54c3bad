#include "cotacao/ConversaDaJanela.h"

#include "dialogos/Dialogo.h"
#include "janelas/Caixas.h"
#include "janelas/Conectividade.h"
#include "janelas/FormEmEspera.h"
#include "janelas/Textos.h"
#include "proposta/Textos.h"

using namespace janelas;
using namespace proposta;

cotacao::ConversaDaJanela::ConversaDaJanela(QWidget* janela, remoto::TesteConexao conexao,
                                            Partes partes)
    : m_janela(janela)
    , m_conexao(std::move(conexao))
    , m_partes(std::move(partes)) {}

bool cotacao::ConversaDaJanela::pergunta(const QString& texto, bool padraoSim) {
    using namespace proposta::textos;
    return padraoSim ? AvisoGet(texto, Sim, Nao, 1)
                     : Caixas::simOuNao(m_janela, texto, Sim, Nao, false);
}

void cotacao::ConversaDaJanela::avisa(const QString& texto) {
    Caixas::aviso(m_janela, janelas::textos::Aviso, texto);
}

void cotacao::ConversaDaJanela::aguarda(const QString& texto,
                                        const std::function<void()>& trabalho) {
    const AvisoEmEspera aviso(texto);
    trabalho();
}

bool cotacao::ConversaDaJanela::conectado() {
    return ConectadoOuAvisa(m_janela, [this] { return VerificaConexaoInternet(m_conexao); });
}

void cotacao::ConversaDaJanela::preenchendo(bool sim) {
    if (m_partes.preenchendo)
        m_partes.preenchendo(sim);
}

void cotacao::ConversaDaJanela::mostraSituacao(const QString& texto) {
    if (m_partes.situacao)
        m_partes.situacao(texto);
}
