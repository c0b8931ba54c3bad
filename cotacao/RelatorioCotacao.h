#pragma once

#include "banco/Recibos.h"
#include "grade/FlexCell.h"
#include "proposta/Proposta.h"

// The printed report of an answer: built as rows of a report grid, with the quotation's number,
// requester and terms as titles, landscape, and shown in print preview through the grid's report
// facility.
namespace cotacao {

void IniciaRelatorio(FlexCell& relatorio);
void PreencheRelatorio(FlexCell& relatorio, const proposta::Proposta& proposta);
void MostraRelatorio(FlexCell& relatorio, const proposta::Proposta& proposta,
                     const QString& codigo);

// The footer of every page: the program's name, the vendor's `contato` line when there is one
// (a telephone, a city), the page number and the number of pages.
QString RodapeDoRelatorio(const QString& contato);
// The contact line the program was built with (COTACAO_CONTATO); empty without one: the report
// never prints a telephone nobody answers.
QString ContatoDoFornecedor();

// The whole report of `proposta`, on a report grid of its own (no form needed).
void ImprimeRelatorio(const proposta::Proposta& proposta, const QString& codigo);

// The report of an answer sent from here: `resposta`, the bytes of the answer as sent (checked
// against `recibo` by the caller), over the quotation's file the program folder keeps. Says so
// when that file is gone.
void ImprimeRespostaGuardada(const banco::Recibo& recibo, const QByteArray& resposta);

} // namespace cotacao
