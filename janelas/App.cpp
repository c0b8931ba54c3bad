#include "janelas/App.h"

#include <QApplication>

App::App() {
    QGuiApplication::setQuitOnLastWindowClosed(false);
}

int App::Exec() {
    return QApplication::exec();
}

void App::Quit() {
    QCoreApplication::quit();
}
