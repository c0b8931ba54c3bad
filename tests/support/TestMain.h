#pragma once

#include <QCoreApplication>
#include <QStringList>
#include <QTest>

#include <cstring>

// One test executable per library holds several test classes. Without arguments every class
// runs; "tst_x Class [QtTest arguments]" runs one class, e.g. "tst_nucleo Ini leitura".
// `Aplicacao` is the application object the classes need: a core application for what has no
// window, the program's own (TestMainJanelas.h) for forms.
template <class Aplicacao, class... Classes> int runTestClasses(int argc, char** argv) {
    Aplicacao app(argc, argv);
    const bool one = argc > 1 && argv[1][0] != '-' && !std::strchr(argv[1], ':');
    int failures = 0;
    bool ran = false;
    const auto run = [&]<class C>() {
        C test;
        const char* name = test.metaObject()->className();
        if (one && std::strcmp(argv[1], name) != 0)
            return;
        ran = true;
        QStringList args{QString::fromLocal8Bit(argv[0])};
        for (int i = one ? 2 : argc; i < argc; ++i)
            args << QString::fromLocal8Bit(argv[i]);
        failures += QTest::qExec(&test, args);
    };
    (run.template operator()<Classes>(), ...);
    if (!ran) {
        qWarning("no test class named %s", argv[1]);
        return 1;
    }
    return failures;
}

// The tests of a library without widgets: no window system is started, none is linked.
#define COTACAO_TEST_MAIN(...)                                                                     \
    int main(int argc, char** argv) {                                                              \
        return runTestClasses<QCoreApplication, __VA_ARGS__>(argc, argv);                          \
    }
