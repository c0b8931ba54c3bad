#include "access/FormEmEspera.h"

#include "access/Formato.h"
#include "access/Textos.h"
#include "runtime/Aparencia.h"
#include "runtime/DialogUnits.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QPainter>
#include <QPointer>
#include <QWindow>

namespace {
const QColor kFundo(0, 50, 74);
const FormatoJanela kFormato{QMargins(10, 10, 10, 10), 20, 230, true};
} // namespace

FormEmEspera::FormEmEspera() {
    setFixedSize(DialogUnits::x(142), DialogUnits::y(43));
    setWindowTitle(TextosAcesso::TituloEspera);
    setFont(Fonte(QStringLiteral("MS Shell Dlg"), 8));
    CorDeFundo(this, kFundo);

    oDCTexto = new QLabel(QStringLiteral("Sem informação!"), this);
    oDCTexto->setObjectName(QStringLiteral("Texto"));
    oDCTexto->setGeometry(DialogUnits::rect(3, 14, 135, 13));
    oDCTexto->setAlignment(Qt::AlignCenter);
    oDCTexto->setFont(Fonte(QStringLiteral("Times New Roman"), 11, true));
    CorDoTexto(oDCTexto, CorPredefinida(6));
    CorDeFundo(oDCTexto, kFundo);
    PostInit();
}

void FormEmEspera::PostInit() {
    OcultaCaptionBar(this);
    AplicaFormato(this, kFormato);
    // Above everything, but the keyboard stays with the window the supplier works in, so the
    // focus is where he left it when the notice goes.
    setAttribute(Qt::WA_ShowWithoutActivating);
    setWindowFlag(Qt::WindowDoesNotAcceptFocus);
}

void FormEmEspera::Show() {
    show();
    raise();
}

void FormEmEspera::paintEvent(QPaintEvent* event) {
    DataWindow::paintEvent(event);
    // The thin border line, along the rounded edge the window is clipped to.
    QPainter pintor(this);
    pintor.setRenderHint(QPainter::Antialiasing);
    pintor.setPen(QPen(QColor(150, 185, 205), 1));
    const QRectF borda = QRectF(rect()).marginsRemoved(QMarginsF(10.5, 10.5, 10.5, 10.5));
    pintor.drawRoundedRect(borda, kFormato.elipse / 2.0, kFormato.elipse / 2.0);
}

FormEmEspera* ExibeAvisoEmEspera(const QString& texto, bool fechar) {
    static QPointer<FormEmEspera> aviso;
    // The window the supplier works in; where the platform moved the activation to the notice
    // after all, it gets it back when the notice goes.
    static QPointer<QWidget> trabalho;
    if (fechar) {
        if (aviso) {
            aviso->EndWindow();
            if (trabalho && !QApplication::activeWindow())
                trabalho->activateWindow();
        }
        return aviso;
    }
    if (QWidget* ativa = QApplication::activeWindow(); ativa && !dynamic_cast<FormEmEspera*>(ativa))
        trabalho = ativa;
    aviso = new FormEmEspera;
    aviso->oDCTexto->setText(texto.trimmed());
    Centraliza(aviso);
    aviso->Show();
    // The caller blocks the event loop right after: get the notice mapped and painted now.
    const QDeadlineTimer prazo(1000);
    while (!(aviso->windowHandle() && aviso->windowHandle()->isExposed()) && !prazo.hasExpired())
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents, 20);
    aviso->repaint();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    return aviso;
}
