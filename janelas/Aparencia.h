#pragma once

#include <QColor>
#include <QFont>
#include <QString>

class QPushButton;
class QWidget;

namespace janelas {

// Fonts and colours as the forms name them.

// A font by its Windows family name, with the metric-compatible families of other systems after
// it, so a form keeps its proportions where the Windows fonts are missing.
QFont Fonte(const QString& familia, int pontos, bool negrito = false);

// A widget's text colour, and its background filled with a colour of its own.
void CorDoTexto(QWidget* widget, const QColor& cor);
void CorDeFundo(QWidget* widget, const QColor& cor);

// The keyboard focus drawn from the moment the window opens, not only after the first Tab: a
// question's buttons show which one Enter and Space take.
void FocoVisivel(QWidget* janela);
// A flat button draws the keyboard focus too (the styles leave its frame out with the rest of
// its border).
void FocoEmBotaoPlano(QPushButton* botao);

// The text colours the forms name by number.
QColor CorPredefinida(int numero);

} // namespace janelas
