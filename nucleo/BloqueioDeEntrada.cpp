#include "nucleo/BloqueioDeEntrada.h"

#include <QCoreApplication>
#include <QEvent>

namespace nucleo {
namespace {

class Filtro : public QObject {
public:
    bool eventFilter(QObject*, QEvent* evento) override {
        return BloqueioDeEntrada::retido(evento);
    }
};

int g_blocos = 0;
Filtro* g_filtro = nullptr;

} // namespace

bool BloqueioDeEntrada::retido(const QEvent* evento) {
    switch (evento->type()) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
    case QEvent::Shortcut:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::NonClientAreaMouseButtonPress:
    case QEvent::NonClientAreaMouseButtonRelease:
    case QEvent::NonClientAreaMouseButtonDblClick:
    case QEvent::Wheel:
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
    case QEvent::ContextMenu:
    case QEvent::InputMethod:
    case QEvent::DragEnter:
    case QEvent::Drop:
        return true;
    case QEvent::Close:
        // The window system's close box; the program's own closing (the waiting notice going)
        // is not spontaneous and passes.
        return evento->spontaneous();
    default:
        return false;
    }
}

BloqueioDeEntrada::BloqueioDeEntrada() {
    if (g_blocos++ == 0 && QCoreApplication::instance()) {
        g_filtro = new Filtro;
        QCoreApplication::instance()->installEventFilter(g_filtro);
    }
}

BloqueioDeEntrada::~BloqueioDeEntrada() {
    if (--g_blocos == 0 && g_filtro) {
        delete g_filtro; // removes itself from the application's filters
        g_filtro = nullptr;
    }
}

} // namespace nucleo
