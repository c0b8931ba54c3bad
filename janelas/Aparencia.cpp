#include "janelas/Aparencia.h"

#include <QStringList>
#include <QWidget>

namespace janelas {

QFont Fonte(const QString& familia, int pontos, bool negrito) {
    QStringList familias{familia};
    if (familia.contains(u"Times"))
        familias << QStringLiteral("Liberation Serif") << QStringLiteral("DejaVu Serif");
    else if (familia.contains(u"Courier"))
        familias << QStringLiteral("Liberation Mono") << QStringLiteral("DejaVu Sans Mono");
    else
        familias << QStringLiteral("Liberation Sans") << QStringLiteral("Arial")
                 << QStringLiteral("DejaVu Sans");
    QFont fonte;
    fonte.setFamilies(familias);
    fonte.setPointSize(pontos);
    fonte.setBold(negrito);
    return fonte;
}

QColor CorPredefinida(int numero) {
    switch (numero) {
    case 1:
        return QColor(0, 0, 128); // dark blue: names and headings on light ground
    case 3:
        return QColor(255, 255, 0); // yellow: the question on its blue ground
    case 4:
        return QColor(160, 0, 0); // dark red: small notes
    case 6:
        return QColor(255, 255, 255); // white: text on the dark band and notices
    default:
        return QColor(0, 0, 0);
    }
}

void CorDoTexto(QWidget* widget, const QColor& cor) {
    QPalette paleta = widget->palette();
    paleta.setColor(QPalette::WindowText, cor);
    widget->setPalette(paleta);
}

void CorDeFundo(QWidget* widget, const QColor& cor) {
    QPalette paleta = widget->palette();
    paleta.setColor(widget->backgroundRole(), cor);
    widget->setPalette(paleta);
    widget->setAutoFillBackground(true);
}

} // namespace janelas
