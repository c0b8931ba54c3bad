#pragma once

#include <QElapsedTimer>
#include <QString>
#include <QTextStream>

#include <algorithm>
#include <functional>
#include <vector>

// Runs `f` `vezes` times and answers the median time in milliseconds.
inline double medianaMs(int vezes, const std::function<void()>& f) {
    std::vector<double> tempos;
    for (int i = 0; i < vezes; ++i) {
        QElapsedTimer relogio;
        relogio.start();
        f();
        tempos.push_back(double(relogio.nsecsElapsed()) / 1e6);
    }
    std::sort(tempos.begin(), tempos.end());
    return tempos[tempos.size() / 2];
}

// The same, with `preparo` run before each time `f` is timed and left out of the figure.
inline double medianaMs(int vezes, const std::function<void()>& preparo,
                        const std::function<void()>& f) {
    std::vector<double> tempos;
    for (int i = 0; i < vezes; ++i) {
        preparo();
        QElapsedTimer relogio;
        relogio.start();
        f();
        tempos.push_back(double(relogio.nsecsElapsed()) / 1e6);
    }
    std::sort(tempos.begin(), tempos.end());
    return tempos[tempos.size() / 2];
}

// One line of the benchmark table: figure | goal | measured | baseline.
inline void linha(const QString& figura, const QString& meta, const QString& medido,
                  const QString& base = QString()) {
    QTextStream(stdout) << "| " << figura << " | " << meta << " | " << medido << " | " << base
                        << " |\n";
}
