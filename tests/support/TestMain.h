#pragma once

#include "janelas/Aplicacao.h"
#include "janelas/CaixaDeErro.h"

#include <QApplication>
#include <QByteArray>
#include <QPointer>
#include <QTest>
#include <QWidget>

#include <cstring>

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

// One test executable per subsystem holds several test classes. Without arguments every class
// runs; "tst_x Class [QtTest arguments]" runs one class, e.g. "tst_runtime Ini leitura".
template <class... Classes> int runTestClasses(int argc, char** argv) {
    janelas::Aplicacao app(argc, argv);
    janelas::InstalaCaixaDeErro();
    const bool one = argc > 1 && argv[1][0] != '-' && !std::strchr(argv[1], ':');
    int failures = 0;
    bool ran = false;
    const auto run = [&]<class C>() {
        C test;
        const char* name = test.metaObject()->className();
        if (one && std::strcmp(argv[1], name) != 0)
            return;
        ran = true;
        if (one) {
            QStringList args{QString::fromLocal8Bit(argv[0])};
            for (int i = 2; i < argc; ++i)
                args << QString::fromLocal8Bit(argv[i]);
            failures += QTest::qExec(&test, args);
        } else {
            failures += QTest::qExec(&test, QStringList{QString::fromLocal8Bit(argv[0])});
        }
    };
    (run.template operator()<Classes>(), ...);
    if (!ran) {
        qWarning("no test class named %s", argv[1]);
        return 1;
    }
    return failures;
}

#define COTACAO_TEST_MAIN(...)                                                                     \
    int main(int argc, char** argv) {                                                              \
        return runTestClasses<__VA_ARGS__>(argc, argv);                                            \
    }
