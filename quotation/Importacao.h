#pragma once

#include "grid/ControleGrade.h"
#include "quotation/Planilha.h"

namespace cotacao {

// The columns of a spreadsheet that matter, found by their headings' names (accents, case and
// punctuation aside: "Cód. de barras", "EAN", "PLU", "Preço R$", "Observações"...).
struct ColunasDaPlanilha {
    int cabecalho = -1; // the heading row; -1 when none was found
    int barras = -1;
    int plu = -1;
    int preco = -1;
    int obs = -1;
};
ColunasDaPlanilha AchaColunas(const Tabela& tabela);

// What an import would do: the cells it changes, and how the lines went.
struct Importacao {
    QList<grade::AlteracaoDeCelula> alteracoes;
    bool cabecalhoAchado = false;
    int correspondidas = 0; // lines matched to a product (by barcode, else by PLU)
    int semProduto = 0;     // lines with a barcode or a PLU that no product has
    int recusados = 0;      // prices that are not amounts
};

// Matches each line below the heading to the products of the grid and plans their prices and
// remarks. A price equal in value to the one in the grid changes nothing, so a file exported
// and imported back changes nothing; an empty price is passed over.
Importacao PlanejaImportacao(const grade::DadosGrade& dados, const Tabela& tabela);

// The products of the grid as a spreadsheet: the grid's headings, then one line per product
// (quantity and price as numbers, an unpriced product with an empty price).
Tabela TabelaDaGrade(const grade::DadosGrade& dados);

} // namespace cotacao
