#pragma once

#include "banco/BancoLocal.h"
#include "banco/TabelaDePrecos.h"
#include "proposta/Importacao.h"
#include "proposta/Proposta.h"

#include <QDateTime>
#include <QList>
#include <QString>

#include <optional>

// The supplier's own price list, read from a spreadsheet as the quotation import reads one, and
// kept in the local database once he confirms what was read.
namespace proposta {

// What reading a price list found; nothing is written until the supplier confirms it.
struct PlanoDaTabela {
    bool cabecalhoAchado = false;
    int linhasLidas = 0;     // lines below the heading with a barcode or a PLU
    int semPreco = 0;        // of those, lines with an empty price (nothing to keep)
    int precosRecusados = 0; // prices that are not amounts, or are zero
    // Lines with the same barcode and PLU as an earlier line, which they replace.
    int duplicados = 0;
    int cortadas = 0;                 // remarks cut at kMaximoDaObservacao
    int barrasIlegiveis = 0;          // barcodes that are not digits, passed over
    QList<PrecoRecusado> recusas;     // the first prices refused, for the summary
    QList<banco::ItemDaTabela> itens; // in the file's order
};

// Reads the spreadsheet `caminho` (.xlsx or .csv): the heading among the first 30 rows (a
// barcode or a PLU column and a price column, named as the quotation import names them), then
// each line's codes, price and remark. Prices follow the amount rule (formatos::Quantia) and
// become its number text ("12,50"); a text that is not an amount, or a zero, is refused and
// counted. A file that cannot be read, or holds more remarks than kMaximoDoTextoImportado, fails:
// nothing of it is kept.
nucleo::Resultado<PlanoDaTabela> LeTabelaDePrecos(const QString& caminho);

// What the form shows the supplier after reading `caminho`: the summary to confirm (with how many
// of the products of `proposta` the table prices, and the fill command and its `atalho`), or why
// there is nothing to import.
struct ResumoDaTabela {
    bool podeImportar = false;
    QString texto;
};
ResumoDaTabela ResumeTabela(const PlanoDaTabela& plano, const QString& caminho,
                            const Proposta& proposta, const QString& atalho);

// Keeps the confirmed table in the database, replacing the one before in one transaction, with
// the file's name and the time of the import; a failure leaves the earlier table whole. A plan
// without prices changes nothing and fails.
nucleo::Resultado<void>
ImportaTabelaDePrecos(banco::BancoLocal& banco, const PlanoDaTabela& plano, const QString& caminho,
                      const QDateTime& quando = QDateTime::currentDateTime());

// The table's lines that name products of `proposta`, with the table's date, for
// Proposta::defineTabela; nothing when there is no table (or the database is closed), no lines
// when they could not be read.
struct PrecosDaTabela {
    QDate data;
    PrecosConhecidos precos;
};
// Nothing when no table was imported.
nucleo::Resultado<std::optional<PrecosDaTabela>> LinhasDaTabela(banco::BancoLocal& banco,
                                                                const Proposta& proposta);

// The table as the database holds it now, given to `proposta` with its date; without a database,
// or when it cannot be read, `proposta` has none.
nucleo::Resultado<void> CarregaTabela(banco::BancoLocal* banco, Proposta& proposta);

// The prices kept here, given to `proposta` as its quotation opens: the last ones sent for
// quotation `numero` and the supplier's table. What could be read is given; the failure is the
// first thing that could not, and only from a database that opened (one that did not was told as
// the form opened).
nucleo::Resultado<void> CarregaPrecosGuardados(banco::BancoLocal* banco, Proposta& proposta,
                                               const QString& numero);

// Whether a table can be kept here: a database that opens (the file is chosen only then).
nucleo::Resultado<void> PodeGuardarTabela(banco::BancoLocal* banco);

// Where the table kept here came from; nothing when none is.
nucleo::Resultado<std::optional<banco::TabelaDePrecos::Origem>>
OrigemDaTabela(banco::BancoLocal& banco);
nucleo::Resultado<void> ApagaTabelaDePrecos(banco::BancoLocal& banco);

} // namespace proposta
