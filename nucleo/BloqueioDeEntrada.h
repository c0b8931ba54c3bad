#pragma once

#include <QObject>

namespace nucleo {

// While one lives, the program's windows get no input from the person at the screen: no keys,
// clicks, wheel or touch, and no closing through the window system. A command that waits for the
// network in a local event loop can then be neither repeated nor joined by another command, while
// the windows still paint, move and answer the accessibility bus. Blocks may nest.
class BloqueioDeEntrada {
public:
    BloqueioDeEntrada();
    ~BloqueioDeEntrada();
    BloqueioDeEntrada(const BloqueioDeEntrada&) = delete;
    BloqueioDeEntrada& operator=(const BloqueioDeEntrada&) = delete;

    // Whether an event is input that a block holds back.
    static bool retido(const QEvent* evento);
};

} // namespace nucleo
