#pragma once

#include "grade/DadosGrade.h"
#include "grade/Relatorio.h"
#include "nucleo/Resultado.h"

#include <QList>
#include <QString>

class QPagedPaintDevice;
namespace grade {

class ControleGrade;

// The grid's report facility: the titles above the grid on the first page, the rows split over
// as many pages as needed with the heading row repeated on each, the footer on every page with
// the page number in place of "&p" and the number of pages in place of "&n", on the page set-up
// of the report (landscape for orientation 2, margins in centimetres).

// Which rows each page holds (rows from 1 on; the heading row 0 is on every page).
QList<QList<int>> PaginasDoRelatorio(const DadosGrade& dados, const Relatorio& relatorio,
                                     QPagedPaintDevice& dispositivo);

// Draws every page onto a printer or a PDF writer.
void ImprimeRelatorio(const DadosGrade& dados, const Relatorio& relatorio,
                      QPagedPaintDevice& dispositivo);

// Writes the report as a PDF file, atomically; fails saying why it could not be written.
nucleo::Resultado<void> SalvaPdfDoRelatorio(const DadosGrade& dados, const Relatorio& relatorio,
                                            const QString& arquivo);

// The parts of a title: "left|centre|right" places each part; the last two bars divide them, so
// bars in the left part (a name or a term as the supplier wrote it, before the "||" the program
// adds) print as themselves. A title without bars is centred whole.
QStringList PartesDoTitulo(const QString& titulo);

// The footer text of a page.
QString RodapeDaPagina(const QString& rodape, int pagina, int paginas);

// Opens the print preview of the grid's report, from which the supplier prints or saves a PDF.
void VisualizaRelatorio(ControleGrade& grade, int zoom);

} // namespace grade
