#pragma once

#include <QString>

// What the grid shows of itself: the print preview and its PDF, and the error of a message to a
// grid that no longer exists.
namespace grade::textos {

inline const QString VisualizarImpressao = QStringLiteral("Visualizar impressão");
inline const QString SalvarPdf = QStringLiteral("Salvar PDF");
inline const QString FiltroPdf = QStringLiteral("PDF (*.pdf)");
inline const QString PdfSalvo = QStringLiteral("Relatório salvo em %1.");
inline const QString PdfNaoSalvo = QStringLiteral("Não foi possível salvar o PDF em %1.");
// The PDF's title and creator, as a PDF reader shows them.
inline const QString TituloPdf = QStringLiteral("Cotação %1");
inline const QString CriadorPdf = QStringLiteral("Cotação eletrônica");

inline const QString ObjetoNaoCriado = QStringLiteral("O objeto não foi criado");

} // namespace grade::textos
