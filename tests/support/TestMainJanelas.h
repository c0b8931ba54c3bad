#pragma once

#include "janelas/Aplicacao.h"
#include "janelas/CaixaDeErro.h"
#include "tests/support/TestMain.h"

#include <QApplication>
#include <QPointer>
#include <QWidget>

// Destroys every window a test left, top-level ones only (they take their menus and other
// owned windows with them).
inline void destroiJanelas() {
    QList<QPointer<QWidget>> janelas;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (!w->parentWidget())
            janelas << w;
    for (const QPointer<QWidget>& w : janelas)
        delete w.data();
}

// The program's application object, with its error box, as the forms run in it.
class AplicacaoDeTeste : public janelas::Aplicacao {
public:
    AplicacaoDeTeste(int& argc, char** argv)
        : janelas::Aplicacao(argc, argv) {
        janelas::InstalaCaixaDeErro();
    }
};

// The tests of windows: the forms, the grid, the dialogs, the window services.
#define COTACAO_TEST_MAIN_JANELAS(...)                                                             \
    int main(int argc, char** argv) {                                                              \
        return runTestClasses<AplicacaoDeTeste, __VA_ARGS__>(argc, argv);                          \
    }
