#pragma once

#include "nucleo/Resultado.h"
#include "proposta/Planilha.h"
#include "proposta/Proposta.h"

#include <optional>

namespace proposta {

// The columns of a spreadsheet that matter, found by their headings' titles as a supplier's own
// sheets carry them (accents, case, punctuation and "R$" aside): "Cód. de barras", "Código de
// barras", "EAN", "GTIN", "PLU", "Código", "Preço", "Preço de venda", "Valor", "Vlr. unit.",
// "Observações"... The one heading finder of every import (a quotation's spreadsheet, the price
// table).
struct ColunasDaPlanilha {
    int barras = -1;
    int plu = -1;
    int preco = -1;
    int obs = -1;
};
// What the heading finder looks at, whatever a row holds: the first kCelulasDoCabecalho cells of
// a row, each only when its text is at most kMaximoDoTitulo characters long (no title is longer;
// a long text shared by every cell is passed over at once), each title's key made once.
inline constexpr int kCelulasDoCabecalho = 256;
inline constexpr qsizetype kMaximoDoTitulo = 40;
// The rows a heading is looked for in, from the first.
inline constexpr int kLinhasAntesDoCabecalho = 30;
// The columns that `linha` names when it is a heading (a price or a remark, and a barcode or a
// PLU); nothing otherwise. Where two columns carry titles of one kind, the more specific title
// wins ("Preço" over "Valor"), then the first column.
std::optional<ColunasDaPlanilha> ColunasDoCabecalho(const QVariantList& linha);

// The lines of a spreadsheet under its heading: the heading is looked for among the first
// kLinhasAntesDoCabecalho rows (the first that `aceita` takes), then only its four columns are
// read (barcode, PLU, price, remark, in that order) and each line goes to `corpo`.
class LinhasSobCabecalho : public DestinoDeLinhas {
public:
    bool linha(const QVariantList& celulas) final;
    QList<int> colunas() const final { return m_colunas; }

protected:
    virtual bool aceita(const ColunasDaPlanilha& colunas) = 0;
    // One line under the heading; false stops the reading.
    virtual bool corpo(const QVariantList& linha) = 0;

private:
    QList<int> m_colunas; // empty until the heading is found
    int m_antesDoCabecalho = 0;
};

// What an import (of a quotation's spreadsheet or of the price table) keeps of a file's remarks:
// each cut at kMaximoDaObservacao characters (and counted), and all of them together at most
// kMaximoDoTextoImportado characters (past it the file is refused).
inline constexpr qsizetype kMaximoDaObservacao = 1000;
inline constexpr qsizetype kMaximoDoTextoImportado = 8 * 1000 * 1000;

// A remark of a line as an import keeps it: no control characters, cut at kMaximoDaObservacao
// (`cortada` says so).
QString ObservacaoImportada(const QVariant& celula, bool* cortada);

// A cell of a spreadsheet as a code (a barcode, a PLU): a number reads as its digits.
QString CodigoDaPlanilha(const QVariant& celula);
// A cell as a barcode: its digits. A text that is not digits is no barcode (Excel shows a long
// code as "7,89E+12" and saves it so in a .csv, its digits lost): it is passed over, and
// `ilegivel` says so, so that the line is found by its PLU alone.
QString BarrasDaPlanilha(const QVariant& celula, bool* ilegivel);
// The codes of a line under the heading (barcode, PLU in its first two cells); an unreadable
// barcode is counted in `ilegiveis`.
Identidade CodigosDaLinha(const QVariantList& linha, int* ilegiveis);
// A cell as a price, by the amount rule (formatos::Quantia; a number cell must be a whole number
// of cents): nothing when it is not an amount.
std::optional<formatos::Quantia> PrecoDaPlanilha(const QVariant& celula);

// Prices an import refused, as the summary names them: the first few, with the line's codes.
inline constexpr int kRecusasNomeadas = 5;
struct PrecoRecusado {
    QString codigos; // Identidade::chave() of the line
    QString texto;   // as the file has it
};
// Keeps the first kRecusasNomeadas of them.
void AnotaRecusa(QList<PrecoRecusado>& recusas, const Identidade& codigos, const QVariant& celula);
// What an import's summary says after its counts, each part only when there is something to say:
// the barcodes passed over and why, the remarks cut (how many, to how many characters), and the
// prices refused ("\n\nPreços que não são valores (the rule):\n789 PLU:1001: \"abc\"\n...",
// the first kRecusasNomeadas of `recusados` named).
QString DescreveOQueFicou(int barrasIlegiveis, int cortadas, const QList<PrecoRecusado>& recusas,
                          int recusados);

// What an import would do: the cells it changes, and how the lines went.
struct Importacao {
    QList<Alteracao> alteracoes;
    bool cabecalhoAchado = false;
    int correspondidas = 0;   // lines matched to products (Proposta::localiza)
    int porBarras = 0;        // of those, by the barcode alone
    int porPlu = 0;           // of those, by the PLU alone
    int semProduto = 0;       // lines with a barcode or a PLU that no product has
    int ambiguas = 0;         // lines whose code fits products of more than one identity
    int recusados = 0;        // prices that are not amounts
    int cortadas = 0;         // remarks cut at kMaximoDaObservacao
    int barrasIlegiveis = 0;  // barcodes that are not digits, passed over
    int precosMudam = 0;      // of the changes, prices
    int observacoesMudam = 0; // of the changes, remarks
    int emBranco = 0;         // blank price or remark cells of matched lines: nothing changes
    QList<PrecoRecusado> recusas;
};

// What the supplier reads before he applies the import, the question excepted.
QString ResumeImportacao(const Importacao& importacao);

// Reads the spreadsheet `caminho` (.xlsx or .csv), finds its heading among the first 30 rows,
// matches each line below it to the products of the answer (Proposta::localiza: barcode and PLU
// together, one of them where the line or the product has only one) and plans their
// prices and remarks. A price equal in value to the one typed changes nothing, so a file exported
// and imported back changes nothing; a blank cell, price or remark, changes nothing either. Only
// the matched columns are read past the heading, and nothing of the file is kept but the plan. A
// file that cannot be read, or holds more remarks than kMaximoDoTextoImportado, fails: nothing of
// it is planned.
nucleo::Resultado<Importacao> ImportaPlanilha(const Proposta& proposta, const QString& caminho);

// The products of the answer as a spreadsheet: the headings given (the product grid's, from PLU
// to the remark), then one line per product (quantity and price as numbers, an unpriced product
// with an empty price; a quantity or price the program cannot read as the text it is).
Tabela TabelaDaProposta(const Proposta& proposta, const QVariantList& cabecalho);

} // namespace proposta
