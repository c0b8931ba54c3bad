#pragma once

#include "quotation/core/Proposta.h"

#include <QList>
#include <QRect>
#include <QStringList>

namespace cotacao {

// A block of cells as spreadsheets put it on the clipboard: rows by line breaks, columns by
// tabs, quotes as SeparaCelulas reads them.
using Bloco = QList<QStringList>;
Bloco LeBloco(const QString& texto);
QString EscreveBloco(const Bloco& bloco);

// What a paste would do: the cells it changes and what it could not take.
struct Colagem {
    QList<Alteracao> alteracoes;
    int colados = 0;   // cells taken
    int recusados = 0; // prices that are not amounts, and cells beyond the last product
};

// Pastes `bloco` with its first cell on the product grid's (`linha`, `coluna`), into the price
// and remark columns only (cells landing on other columns are passed over). A single value with
// `selecao` (grid rows and columns) of more than one cell goes into every selected price or
// remark cell. Prices go through the same rule as typing; an empty price is passed over.
Colagem PlanejaColagem(const Proposta& proposta, int linha, int coluna, const Bloco& bloco,
                       const QRect& selecao = {});

} // namespace cotacao
