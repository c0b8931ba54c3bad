// The grid's commands of the supplier's price table: importing it, what it holds, clearing it,
// and filling the quotation from it.
#include "cotacao/ComandosDaGrade.h"
#include "grade/ControleGrade.h"
#include "janelas/Caixas.h"
#include "janelas/EscolhaDeArquivo.h"
#include "nucleo/Erro.h"
#include "nucleo/Regional.h"
#include "proposta/PrecosDaTabela.h"
#include "proposta/Textos.h"

#include <QFileInfo>
#include <QMainWindow>

using namespace cotacao;
using namespace janelas;
using namespace proposta;
using namespace nucleo;

void ComandosDaGrade::ImportarTabelaDePrecos() {
    using namespace proposta::textos;
    m_produtos->ConfirmaEdicao();
    if (auto pode = PodeGuardarTabela(m_banco); !pode) {
        avisa(TabelaNaoImportada.arg(nucleo::Diz(pode.falha())));
        return;
    }
    const QString arquivo = janelas::EscolheArquivo(
        janelas::Escolha::Abrir, m_janela, TituloImportarTabela, QString(), FiltrosParaImportar);
    if (arquivo.isEmpty())
        return;
    const auto lido = LeTabelaDePrecos(arquivo);
    if (!lido) {
        avisa(PlanilhaIlegivel.arg(QFileInfo(arquivo).fileName()) +
              MotivoDaRecusa.arg(nucleo::Diz(lido.falha())));
        return;
    }
    const PlanoDaTabela& plano = *lido;
    const ResumoDaTabela resumo = ResumeTabela(plano, arquivo, m_proposta, m_atalhoDaTabela);
    if (!resumo.podeImportar) {
        avisa(resumo.texto);
        return;
    }
    if (!Caixas::simOuNao(m_janela, resumo.texto, Importar, Cancelar, true))
        return;
    if (auto importada = proposta::ImportaTabelaDePrecos(*m_banco, plano, arquivo); !importada) {
        avisa(TabelaNaoImportada.arg(nucleo::Diz(importada.falha())));
        return;
    }
    if (auto carregada = CarregaTabela(m_banco, m_proposta); !carregada)
        avisa(PrecosGuardadosIlegiveis.arg(nucleo::Diz(carregada.falha())));
    m_produtos->viewport()->update(); // the price tips
    informa(TabelaImportada.para(plano.itens.size())
                .arg(plano.itens.size())
                .arg(QFileInfo(arquivo).fileName()));
}

std::optional<banco::TabelaDePrecos::Origem> ComandosDaGrade::tabelaGuardada() {
    using namespace proposta::textos;
    if (!m_banco) {
        avisa(SemTabela);
        return std::nullopt;
    }
    const auto origem = OrigemDaTabela(*m_banco);
    if (!origem) {
        avisa(PrecosGuardadosIlegiveis.arg(nucleo::Diz(origem.falha())));
        return std::nullopt;
    }
    if (!*origem)
        avisa(SemTabela);
    return *origem;
}

void ComandosDaGrade::VerTabelaDePrecos() {
    using namespace proposta::textos;
    const auto origem = tabelaGuardada();
    if (!origem)
        return;
    avisa(SobreATabela.para(origem->itens)
              .arg(ComMilhares(origem->itens, 0), origem->arquivo,
                   DateToText(origem->quando.date()), origem->quando.time().toString(u"HH:mm")));
}

void ComandosDaGrade::ApagarTabelaDePrecos() {
    using namespace proposta::textos;
    const auto origem = tabelaGuardada();
    if (!origem)
        return;
    if (!Caixas::simOuNao(m_janela,
                          PerguntaApagarTabela.para(origem->itens)
                              .arg(ComMilhares(origem->itens, 0), origem->arquivo),
                          Sim, Nao, false))
        return;
    if (auto apagada = ApagaTabelaDePrecos(*m_banco); !apagada) {
        avisa(TabelaNaoApagada.arg(nucleo::Diz(apagada.falha())));
        return;
    }
    if (auto carregada = CarregaTabela(m_banco, m_proposta); !carregada)
        avisa(PrecosGuardadosIlegiveis.arg(nucleo::Diz(carregada.falha())));
    m_produtos->viewport()->update(); // the price tips
    informa(TabelaApagada);
}

void ComandosDaGrade::PreencherComTabelaDePrecos() {
    using namespace proposta::textos;
    if (!m_proposta.dataDaTabela().isValid()) {
        avisa(SemTabela);
        return;
    }
    const QList<Alteracao> alteracoes = m_proposta.preenchimentoPelaTabela();
    aplica(alteracoes);
    int como[int(Correspondencia::Ambigua) + 1] = {};
    for (const Alteracao& a : alteracoes)
        ++como[int(m_proposta.achadoNaTabela(a.produto))];
    int semPreco = 0;
    for (int i = 0; i < m_proposta.produtos(); ++i)
        semPreco += m_proposta.valor(i).zero() && !m_proposta.precoDaTabela(i);
    informa(PreenchidosPelaTabela.para(alteracoes.size())
                .arg(alteracoes.size())
                .arg(m_proposta.dataDaTabela().toString(u"dd/MM/yyyy")) +
            ComoPelaTabela.arg(como[int(Correspondencia::Identica)])
                .arg(como[int(Correspondencia::PorBarras)])
                .arg(como[int(Correspondencia::PorPlu)]) +
            SemPrecoNaTabela.para(semPreco).arg(semPreco));
}

void ComandosDaGrade::PreencherUltimosPrecos() {
    const QList<Alteracao> alteracoes = m_proposta.preenchimentoPelosUltimos();
    aplica(alteracoes);
    informa(proposta::textos::Preenchidos.para(alteracoes.size()).arg(alteracoes.size()));
}
