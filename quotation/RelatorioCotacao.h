#pragma once

#include "grid/FlexCell.h"
#include "quotation/core/Proposta.h"
#include "store/Recibos.h"

// The printed report of an answer: built as rows of a report grid, with the quotation's number,
// requester and terms as titles, landscape, and shown in print preview through the grid's report
// facility.
namespace cotacao {

void IniciaRelatorio(FlexCell& relatorio);
void PreencheRelatorio(FlexCell& relatorio, const Proposta& proposta);
void MostraRelatorio(FlexCell& relatorio, const Proposta& proposta, const QString& codigo);

// The whole report of `proposta`, on a report grid of its own (no form needed).
void ImprimeRelatorio(const Proposta& proposta, const QString& codigo);

// The report of an answer sent from here, from the files the program folder keeps: the
// quotation and the answer as sent (whose bytes the caller has checked against `recibo`). Says
// so when the quotation's file is gone.
void ImprimeRespostaGuardada(const banco::Recibo& recibo);

} // namespace cotacao
