#include "cotacao/ListaProdutos.h"

#include "cotacao/ColunasGrade.h"
#include "cotacao/Textos.h"
#include "formatos/Quantia.h"
#include "grade/ObjetosGrade.h"

using namespace grade;
using namespace proposta;

namespace cotacao {

namespace {

// A text that goes into one cell of a tab-separated row.
QString semTab(const QString& t) {
    return QString(t).replace(u'\t', u' ');
}

} // namespace

void IniciaProdutos(FlexCell& g) {
    g.BackColorBkg(CorOle(255, 255, 255));
    g.DisplayFocusRect(false);
    g.SelectionMode(3);
    g.DisplayRowIndex(false);
    g.Cols(8);
    g.AllowUserResizing(false);
    g.AllowUserReorderColumn(false);
    g.ExtendLastCol(true);
    g.Rows(1);
    static const ColunaGrade colunas[] = {
        {QString(), 0, Alinhamento::Esquerda, true, false},
        {textos::ColunaPlu, 40, Alinhamento::Esquerda, true, false},
        {textos::ColunaBarras, 90, Alinhamento::Esquerda, true, false},
        {textos::ColunaDescricao, 340, Alinhamento::Esquerda, true, false},
        {textos::ColunaQuantidade, 60, Alinhamento::Direita, true, true, Leitura::Quantidade},
        {textos::ColunaUnid, 40, Alinhamento::Centro, true, false},
        {textos::ColunaPreco, 60, Alinhamento::Direita, false, true},
        {textos::ColunaObsProduto, 200, Alinhamento::Esquerda, false, false}};
    AplicaColunas(g, colunas);
}

void PreencheProdutos(FlexCell& lista, const Proposta& proposta) {
    const QChar tab = u'\t';
    for (const formatos::Produto& p : proposta.cotacao().produtos) {
        const QString linha = semTab(p.plu) + tab + semTab(p.codigoBarras) + tab +
                              semTab(p.descricao) + tab + semTab(p.quantidade) + tab +
                              semTab(p.unidade) + tab + formatos::kValorZero;
        lista.AddItem_(linha, false);
    }
    lista.Refresh();
}

} // namespace cotacao
