// The grid's commands that take the answer to a spreadsheet and back (.xlsx, .csv).
#include "cotacao/ComandosDaGrade.h"
#include "cotacao/Textos.h"
#include "grade/ControleGrade.h"
#include "janelas/Caixas.h"
#include "janelas/EscolhaDeArquivo.h"
#include "nucleo/Erro.h"
#include "proposta/ColunasProdutos.h"
#include "proposta/Importacao.h"
#include "proposta/Planilha.h"
#include "proposta/Textos.h"

#include <QDir>
#include <QFileInfo>
#include <QMainWindow>

using namespace cotacao;
using namespace proposta;
using namespace janelas;
using namespace nucleo;

namespace {
bool planilhaCsv(const QString& caminho) {
    return caminho.endsWith(QStringLiteral(".csv"), Qt::CaseInsensitive);
}
} // namespace

void ComandosDaGrade::ExportarPlanilha() {
    using namespace cotacao::textos;
    using namespace proposta::textos;
    m_produtos->ConfirmaEdicao();
    const QString arquivo =
        janelas::EscolheArquivo(janelas::Escolha::Salvar, m_janela, TituloExportar,
                                m_numero + QStringLiteral(".xlsx"), FiltrosDePlanilha);
    if (arquivo.isEmpty())
        return;
    QVariantList cabecalho;
    for (int c = 1; c <= kColunaObs; ++c)
        cabecalho << m_produtos->modelo()->dados().celula(0, c).texto;
    const Tabela tabela = TabelaDaProposta(m_proposta, cabecalho);
    const nucleo::Resultado<void> gravada = planilhaCsv(arquivo)
                                                ? proposta::EscreveCsv(arquivo, tabela)
                                                : proposta::EscreveXlsx(arquivo, tabela, m_numero);
    if (!gravada) {
        avisa(nucleo::Diz(gravada.falha()));
        return;
    }
    informa(Exportada.arg(QDir::toNativeSeparators(arquivo)));
}

void ComandosDaGrade::ImportarPlanilha() {
    using namespace cotacao::textos;
    using namespace proposta::textos;
    m_produtos->ConfirmaEdicao();
    const QString arquivo = janelas::EscolheArquivo(janelas::Escolha::Abrir, m_janela,
                                                    TituloImportar, QString(), FiltrosParaImportar);
    if (arquivo.isEmpty())
        return;
    const QString nome = QDir::toNativeSeparators(arquivo);
    const auto lido = ImportaPlanilha(m_proposta, arquivo);
    if (!lido) {
        avisa(PlanilhaIlegivel.arg(nome) + MotivoDaRecusa.arg(nucleo::Diz(lido.falha())));
        return;
    }
    const Importacao& plano = *lido;
    if (!plano.cabecalhoAchado) {
        avisa(PlanilhaSemColunas.arg(nome));
        return;
    }
    // Nothing changes before the supplier has seen what will.
    if (!Caixas::simOuNao(m_janela, ResumeImportacao(plano) + PerguntaAplicarPlanilha, Aplicar,
                          Cancelar, true))
        return;
    aplica(plano.alteracoes);
    informa(Importada.para(plano.alteracoes.size()).arg(plano.alteracoes.size()));
}
