#include "proposta/Atendimento.h"

#include "banco/BancoLocal.h"
#include "formatos/Arquivos.h"
#include "nucleo/Erro.h"
#include "nucleo/ProgramDir.h"
#include "proposta/PrecosDaTabela.h"
#include "proposta/Rascunho.h"
#include "proposta/Textos.h"
#include "remoto/Espera.h"
#include "remoto/Textos.h"

namespace proposta {

DestinoDoEnvio DestinoDe(const QString& servidorFtp, const QString& cotacao, const QString& cnpj) {
    using namespace formatos::Arquivos;
    return {remoto::PedidoDoPrograma(servidorFtp, NomeResposta(cotacao, cnpj)),
            nucleo::ArquivoDoPrograma(Config), cotacao, cnpj};
}

Atendimento::Atendimento(banco::BancoLocal* banco)
    : m_banco(banco) {}

// The draft goes before the Proposta it follows.
Atendimento::~Atendimento() {
    encerra();
}

void Atendimento::encerra() {
    m_rascunho.reset();
}

void Atendimento::abre(DestinoDoEnvio destino, std::optional<formatos::Cotacao> cotacao,
                       ConversaDaAbertura& conversa) {
    m_destino = std::move(destino);
    if (!cotacao) {
        auto lida = formatos::LeCotacao(
            nucleo::ArquivoDoPrograma(formatos::Arquivos::NomeCotacao(m_destino.cotacao)));
        if (lida) {
            cotacao = std::move(*lida);
        } else {
            cotacao.emplace();
            conversa.avisa(nucleo::Diz(lida.falha()));
        }
    }
    m_proposta.inicia(std::move(*cotacao)); // the answer keeps the quotation from now on
    // A database that did not open is told with the drafts (retoma); one that failed here now.
    if (m_banco && m_banco->aberto()) {
        auto recibo = banco::Recibos(*m_banco).ultimo(m_destino.cotacao, m_destino.cnpj);
        if (recibo)
            m_recibo = *recibo;
        else
            conversa.avisa(textos::ReciboIlegivel.arg(nucleo::Diz(recibo.falha())));
    }
}

void Atendimento::preencheDadosEnviados(ConversaDaAbertura& conversa) {
    conversa.aguarda(remoto::textos::Conectando,
                     [this] { m_anterior = BaixaRespostaAnterior(m_destino.pedido, m_recibo); });
    AbreRespostaAnterior(m_proposta, m_anterior, m_recibo, m_destino, conversa);
}

bool Atendimento::retoma(ConversaDaAbertura& conversa) {
    if (auto guardados = CarregaPrecosGuardados(m_banco, m_proposta, m_destino.cotacao); !guardados)
        conversa.avisa(textos::PrecosGuardadosIlegiveis.arg(nucleo::Diz(guardados.falha())));
    m_rascunho = std::make_unique<Rascunho>(
        m_banco, m_destino.cotacao, m_destino.cnpj, [&conversa](const QString& erro) {
            conversa.mostraSituacao(erro.isEmpty() ? QString() : textos::RascunhoFalhou.arg(erro));
        });
    if (m_banco)
        for (const QString& aviso : AvisosDoBanco(*m_banco))
            conversa.avisa(aviso);
    if (const QString quantidades = AvisoDeQuantidades(m_proposta); !quantidades.isEmpty())
        conversa.avisa(quantidades);
    conversa.mostraSituacao(SituacaoDoEnvio(m_anterior, m_recibo));
    conversa.preenchendo(true);
    const nucleo::Resultado<bool> recuperado = m_rascunho->oferece(
        m_proposta, m_recibo ? std::optional(m_recibo->quando) : std::nullopt,
        [&conversa](const QString& texto) { return conversa.pergunta(texto, true); });
    conversa.preenchendo(false);
    if (!recuperado)
        conversa.avisa(textos::RascunhoIlegivel.arg(nucleo::Diz(recuperado.falha())));
    m_rascunho->acompanha(m_proposta);
    return recuperado && *recuperado;
}

DesfechoDoEnvio Atendimento::envia(Interlocutor& conversa) {
    return Envia(m_proposta, m_destino, m_anterior.origem, m_banco, m_rascunho.get(), conversa);
}

Atendimento::Saida Atendimento::saida(bool modificado, Interlocutor& conversa) {
    const auto saiComORascunho = [&] {
        const nucleo::Resultado<void> guardado =
            m_rascunho ? m_rascunho->guardaAgora() : nucleo::Resultado<void>();
        if (guardado.ok())
            return Saida::Sai;
        return conversa.pergunta(
                   textos::RascunhoNaoGuardadoAoSair.arg(nucleo::Diz(guardado.falha())), false)
                   ? Saida::Sai
                   : Saida::Fica;
    };
    if (!modificado || !conversa.pergunta(textos::PerguntaSair, true))
        return saiComORascunho();
    return Saida::Envia;
}

} // namespace proposta
