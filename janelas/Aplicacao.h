#pragma once

#include <QApplication>

namespace janelas {

// The program's QApplication. An exception that escapes an event handler is caught here, once,
// and reported as a runtime error: ignoring it drops the event, retrying delivers it again.
class Aplicacao : public QApplication {
public:
    Aplicacao(int& argc, char** argv);
    bool notify(QObject* alvo, QEvent* evento) override;
};

} // namespace janelas
