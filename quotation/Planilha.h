#pragma once

#include "runtime/core/Gravacao.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariantList>

#include <optional>

// Spreadsheet files, without widgets: a table of rows whose cells are texts (QString) or numbers
// (double), written to and read from .xlsx and .csv.
namespace cotacao {

using Tabela = QList<QVariantList>;

// The rows of a delimited text as spreadsheets write it (a clipboard block, a .csv): cells
// between `separador`s, rows by line breaks; a cell in quotes may hold the separator, a quote
// (doubled) or a line break, which becomes a blank (a cell of ours is one line).
QList<QStringList> SeparaCelulas(const QString& texto, QChar separador);

// .csv as a Brazilian spreadsheet opens it directly: ";" between cells, UTF-8 with a BOM,
// numbers with a decimal comma and two decimals, CR LF between rows, cells holding ";", a quote
// or a line break in quotes. Written atomically.
nucleo::FalhaGravacao EscreveCsv(const QString& caminho, const Tabela& tabela);

// .xlsx through libxlsxwriter: the first row bold, numbers as numbers ("#,##0.00"). Written
// atomically.
nucleo::FalhaGravacao EscreveXlsx(const QString& caminho, const Tabela& tabela);

// A .csv separated by ";" or "," (whichever the first row uses more), in UTF-8 or Windows-1252
// (detected). Every cell comes as text. Nothing when the file cannot be read.
std::optional<Tabela> LeCsv(const QString& caminho);

// The first sheet of an .xlsx (minizip's unzip and the sheet's XML): texts as QString, numbers as
// double. Nothing when the file cannot be read or is not a workbook.
std::optional<Tabela> LeXlsx(const QString& caminho);

// By the name's ending: .xlsx or .csv.
std::optional<Tabela> LePlanilha(const QString& caminho);

} // namespace cotacao
