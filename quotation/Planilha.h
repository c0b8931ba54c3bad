#pragma once

#include "runtime/core/Gravacao.h"

#include <QList>
#include <QString>
#include <QVariantList>

#include <optional>

// Spreadsheet files, without widgets: a table of rows whose cells are texts (QString) or numbers
// (double), written to and read from .xlsx and .csv.
namespace cotacao {

using Tabela = QList<QVariantList>;

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
