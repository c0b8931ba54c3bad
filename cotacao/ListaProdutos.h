#pragma once

#include "grade/FlexCell.h"
#include "proposta/Proposta.h"

// The product list of the quotation window, set up and filled through the grid's automation
// layer, as the report's list is (RelatorioCotacao.h).
namespace cotacao {

// The columns: PLU, barcode, description, quantity, unit (locked), unit price and remark.
void IniciaProdutos(FlexCell& lista);
// One row per product of `proposta`, each price "0,00" until the answer puts its own.
void PreencheProdutos(FlexCell& lista, const proposta::Proposta& proposta);

} // namespace cotacao
