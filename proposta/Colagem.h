#pragma once

#include "proposta/Proposta.h"

#include <QList>
#include <QRect>
#include <QStringList>

namespace proposta {

// A block of cells as spreadsheets put it on the clipboard: rows by line breaks, columns by
// tabs, quotes as SeparaCelulas reads them.
using Bloco = QList<QStringList>;
// A clipboard larger than this is not pasted at all.
inline constexpr qsizetype kMaximoDaColagem = 1000 * 1000;
// The block of `texto`: only its first `linhas` rows and `colunas` columns (negative: all);
// `alem` counts the rows after them.
Bloco LeBloco(const QString& texto, int linhas = -1, int colunas = -1, int* alem = nullptr);
QString EscreveBloco(const Bloco& bloco);

// What a paste would do: the cells it changes and what it could not take.
struct Colagem {
    QList<Alteracao> alteracoes;
    int colados = 0;   // cells taken
    int recusados = 0; // prices that are not amounts, and cells beyond the last product
    QString naoEValor; // the first price pasted that is not an amount, as it was copied
};

// What the status bar says of a paste: how many values went in, how many were refused, and why
// the first price refused is none.
QString ResumeColagem(const Colagem& colagem);

// Pastes `bloco` with its first cell on the product grid's (`linha`, `coluna`), into the price
// and remark columns only (cells landing on other columns are passed over). A single value with
// `selecao` (grid rows and columns) of more than one cell goes into every selected price or
// remark cell. Prices go through the same rule as typing: an amount goes in as its number text
// (a currency text "R$ 8,99" as "8,99"), a text that is not one goes in as it stands, red, as a
// price to correct (counted as refused); an empty price is passed over.
// `linhasAlem` rows of the clipboard below the last product are counted as refused.
Colagem PlanejaColagem(const Proposta& proposta, int linha, int coluna, const Bloco& bloco,
                       const QRect& selecao = {}, int linhasAlem = 0);
// The same for a clipboard's `texto`, of which only what lands in the grid is split out: the rows
// down to the last product, the columns up to the remarks.
Colagem ColaTexto(const Proposta& proposta, int linha, int coluna, const QString& texto,
                  const QRect& selecao = {});

} // namespace proposta
