#pragma once

#include "nucleo/Gravacao.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariantList>

// Spreadsheet files, without widgets: a table of rows whose cells are texts (QString) or numbers
// (double), written to .xlsx and .csv, and read back row by row within fixed limits (a file comes
// from anywhere and is never trusted).
namespace proposta {

using Tabela = QList<QVariantList>;

// What is read at most.
inline constexpr qint64 kMaximoDoArquivo = 20 * 1024 * 1024;     // the file
inline constexpr qint64 kMaximoDescompactado = 50 * 1024 * 1024; // each part of an .xlsx, inflated
inline constexpr int kLinhasDaFolha = 1048576;                   // what a sheet holds
inline constexpr int kColunasDaFolha = 16384;
inline constexpr qsizetype kMaximoDaLinhaCsv = 64 * 1024; // one line of a .csv
inline constexpr qsizetype kMaximoDaCelula = 32767;       // the text of one cell

// The rows of a delimited text as spreadsheets write it (a clipboard block, a .csv): cells
// between `separador`s, rows by line breaks; a cell in quotes may hold the separator, a quote
// (doubled) or a line break, which becomes a blank (a cell of ours is one line). Only the first
// `linhas` rows and `colunas` columns are kept (negative: all); `alem` counts the rows after.
QList<QStringList> SeparaCelulas(const QString& texto, QChar separador, int linhas = -1,
                                 int colunas = -1, int* alem = nullptr);

// .csv as a Brazilian spreadsheet opens it directly: ";" between cells, UTF-8 with a BOM,
// numbers with a decimal comma and two decimals or more where they have them (a quantity's
// third, formatos::NumeroDePlanilha), CR LF between rows, cells holding ";", a quote
// or a line break in quotes. A text that a spreadsheet would take for a formula (it begins with
// = + - @, a tab or a CR) gets a leading apostrophe. Written atomically.
nucleo::Resultado<void> EscreveCsv(const QString& caminho, const Tabela& tabela);

// .xlsx through libxlsxwriter: the first row bold, numbers as numbers ("#,##0.00") written with a
// decimal point whatever the locale, texts as text (never formulas); each column as wide as its
// content (up to 50 characters), the first row frozen and filtered. Written atomically; a text
// longer than a cell holds writes nothing, and the failure (Recusada) names its row (from 1). The
// sheet is named `folha` (at most 31 characters; "Sheet1" without one).
nucleo::Resultado<void> EscreveXlsx(const QString& caminho, const Tabela& tabela,
                                    const QString& folha = {});

// Takes the rows of a spreadsheet, one by one, in the file's order.
class DestinoDeLinhas {
public:
    virtual ~DestinoDeLinhas() = default;
    // One row. Until colunas() names some, its cells are those of the row from the first column;
    // after, exactly the columns named, in that order (a column the row lacks, or -1, is an
    // empty text). Answering false ends the reading there.
    virtual bool linha(const QVariantList& celulas) = 0;
    // The columns wanted from now on (from 0); empty for all of them.
    virtual QList<int> colunas() const { return {}; }
};

// Reads an .xlsx (its first sheet; texts as QString, numbers as double; a document type
// declaration refused) or a .csv (by the name's ending; ";" or ",", UTF-16 with its mark, else
// each line UTF-8 or Windows-1252; every cell a text, an apostrophe put before a
// formula taken off again) and hands its rows to `destino`; a file refused fails, saying why.
// The limits above hold while reading: memory stays bounded whatever the file holds.
nucleo::Resultado<void> PercorrePlanilha(const QString& caminho, DestinoDeLinhas& destino);

} // namespace proposta
