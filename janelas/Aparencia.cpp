#include "janelas/Aparencia.h"

#include <QCoreApplication>
#include <QEvent>
#include <QPainter>
#include <QPointer>
#include <QProxyStyle>
#include <QPushButton>
#include <QStyleOptionButton>
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

namespace {
// The styles draw the focus frame only in a window the keyboard has moved the focus in, and Qt
// forgets that as the window opens: it is said again once the window is active.
class MostraFoco : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject* objeto, QEvent* evento) override {
        if (evento->type() == QEvent::WindowActivate) {
            auto* janela = static_cast<QWidget*>(objeto);
            janela->setAttribute(Qt::WA_KeyboardFocusChange);
            if (QWidget* focado = janela->focusWidget())
                focado->update();
        }
        return false;
    }
};
// The focus of a flat button as Windows draws it: a dotted rectangle inside the button.
class EstiloDeBotaoPlano : public QProxyStyle {
public:
    using QProxyStyle::QProxyStyle;
    void drawControl(ControlElement elemento, const QStyleOption* opcao, QPainter* pintor,
                     const QWidget* widget) const override {
        QProxyStyle::drawControl(elemento, opcao, pintor, widget);
        const auto* botao = qstyleoption_cast<const QStyleOptionButton*>(opcao);
        if (elemento != CE_PushButton || !botao || !(botao->features & QStyleOptionButton::Flat) ||
            !(opcao->state & State_HasFocus) || !(opcao->state & State_KeyboardFocusChange))
            return;
        pintor->save();
        pintor->setPen(QPen(opcao->palette.color(QPalette::ButtonText), 1, Qt::DotLine));
        pintor->setBrush(Qt::NoBrush);
        pintor->drawRect(opcao->rect.adjusted(3, 3, -4, -4));
        pintor->restore();
    }
};
} // namespace

void FocoEmBotaoPlano(QPushButton* botao) {
    // One style for every such button, as long as the application.
    static QPointer<EstiloDeBotaoPlano> estilo;
    if (!estilo) {
        estilo = new EstiloDeBotaoPlano;
        estilo->setParent(QCoreApplication::instance());
    }
    botao->setStyle(estilo);
}

void FocoVisivel(QWidget* janela) {
    QWidget* w = janela->window();
    w->setAttribute(Qt::WA_KeyboardFocusChange);
    w->installEventFilter(new MostraFoco(w));
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
