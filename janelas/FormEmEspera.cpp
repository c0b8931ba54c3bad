#include "janelas/FormEmEspera.h"

#include "janelas/Aparencia.h"
#include "janelas/Formato.h"
#include "janelas/Textos.h"
#include "janelas/UnidadesDeDialogo.h"
#include "nucleo/Progresso.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QPainter>
#include <QPointer>
#include <QWindow>

using namespace janelas;
using namespace nucleo;

namespace {
const QColor kFundo(0, 50, 74);
const FormatoJanela kFormato{QMargins(10, 10, 10, 10), 20, 230, true};
} // namespace

FormEmEspera::FormEmEspera() {
    setFixedSize(UnidadesDeDialogo::x(142), UnidadesDeDialogo::y(43));
    setWindowTitle(janelas::textos::TituloEspera);
    setFont(Fonte(QStringLiteral("MS Shell Dlg"), 8));
    CorDeFundo(this, kFundo);

    oDCTexto = new QLabel(janelas::textos::SemInformacao, this);
    oDCTexto->setObjectName(QStringLiteral("Texto"));
    oDCTexto->setTextFormat(Qt::PlainText);
    oDCTexto->setGeometry(UnidadesDeDialogo::rect(3, 14, 135, 13));
    oDCTexto->setAlignment(Qt::AlignCenter);
    oDCTexto->setFont(Fonte(QStringLiteral("Times New Roman"), 11, true));
    CorDoTexto(oDCTexto, CorPredefinida(6));
    CorDeFundo(oDCTexto, kFundo);

    m_progresso = new QLabel(this);
    m_progresso->setObjectName(QStringLiteral("Progresso"));
    m_progresso->setGeometry(UnidadesDeDialogo::rect(3, 27, 135, 9));
    m_progresso->setAlignment(Qt::AlignCenter);
    m_progresso->setFont(Fonte(QStringLiteral("Microsoft Sans Serif"), 7));
    CorDoTexto(m_progresso, CorPredefinida(6));
    m_progresso->hide();
    m_desde.start();
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

void FormEmEspera::MostraProgresso(qint64 feito, qint64 total) {
    // A quick step needs no figures; only a transfer that lasts shows how far it got.
    if (m_desde.elapsed() < 1000)
        return;
    const auto kb = [](qint64 bytes) { return QString::number((bytes + 1023) / 1024); };
    m_progresso->setText(total > 0 ? janelas::textos::ProgressoComTotal
                                         .arg(std::min<qint64>(100, feito * 100 / total))
                                         .arg(kb(feito), kb(total))
                                   : janelas::textos::ProgressoSemTotal.arg(kb(feito)));
    m_progresso->show();
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

namespace {

// The notices open, the last shown at the end.
QList<QPointer<FormEmEspera>>& abertos() {
    static QList<QPointer<FormEmEspera>> lista;
    return lista;
}

// The window the supplier works in; where the platform moved the activation to a notice after
// all, it gets it back when the notice goes.
QPointer<QWidget>& trabalho() {
    static QPointer<QWidget> janela;
    return janela;
}

// The progress of a transfer goes to the notice shown last of those still open.
void ligaProgresso() {
    abertos().removeAll(nullptr);
    if (abertos().isEmpty()) {
        DefineObservadorDeProgresso({});
        return;
    }
    DefineObservadorDeProgresso([este = abertos().last()](qint64 f, qint64 t) {
        if (este)
            este->MostraProgresso(f, t);
    });
}

FormEmEspera* abre(const QString& texto) {
    if (QWidget* ativa = QApplication::activeWindow(); ativa && !dynamic_cast<FormEmEspera*>(ativa))
        trabalho() = ativa;
    auto* aviso = new FormEmEspera;
    aviso->oDCTexto->setText(texto.trimmed());
    abertos().append(aviso);
    ligaProgresso();
    Centraliza(aviso);
    aviso->Show();
    // The caller may block the event loop right after: get the notice mapped and painted now.
    const QDeadlineTimer prazo(1000);
    while (!(aviso->windowHandle() && aviso->windowHandle()->isExposed()) && !prazo.hasExpired())
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents, 20);
    aviso->repaint();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    return aviso;
}

void fecha(FormEmEspera* aviso) {
    abertos().removeAll(aviso);
    aviso->EndWindow();
    ligaProgresso();
    if (abertos().isEmpty() && trabalho() && !QApplication::activeWindow())
        trabalho()->activateWindow();
}

} // namespace

FormEmEspera* ExibeAvisoEmEspera(const QString& texto, bool fechar) {
    if (!fechar)
        return abre(texto);
    abertos().removeAll(nullptr);
    if (abertos().isEmpty())
        return nullptr;
    FormEmEspera* ultimo = abertos().last();
    fecha(ultimo);
    return ultimo;
}

namespace janelas {

AvisoEmEspera::AvisoEmEspera(const QString& texto)
    : m_aviso(abre(texto)) {}

AvisoEmEspera::~AvisoEmEspera() {
    fecha();
}

void AvisoEmEspera::fecha() {
    if (m_aviso)
        ::fecha(m_aviso);
    m_aviso = nullptr;
}

} // namespace janelas
