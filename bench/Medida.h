#pragma once

#include <QElapsedTimer>
#include <QString>
#include <QTextStream>

#include <algorithm>
#include <functional>
#include <vector>

inline double mediana(std::vector<double> valores) {
    std::sort(valores.begin(), valores.end());
    return valores[valores.size() / 2];
}

// The time `f` takes, in milliseconds.
inline double tempoMs(const std::function<void()>& f) {
    QElapsedTimer relogio;
    relogio.start();
    f();
    return double(relogio.nsecsElapsed()) / 1e6;
}

// Runs `f` `vezes` times and answers the median time in milliseconds.
inline double medianaMs(int vezes, const std::function<void()>& f) {
    std::vector<double> tempos;
    for (int i = 0; i < vezes; ++i)
        tempos.push_back(tempoMs(f));
    return mediana(std::move(tempos));
}

// The same, with `preparo` run before each time `f` is timed and left out of the figure.
inline double medianaMs(int vezes, const std::function<void()>& preparo,
                        const std::function<void()>& f) {
    std::vector<double> tempos;
    for (int i = 0; i < vezes; ++i) {
        preparo();
        tempos.push_back(tempoMs(f));
    }
    return mediana(std::move(tempos));
}

// One line of the benchmark table: figure | goal | measured | baseline.
inline void linha(const QString& figura, const QString& meta, const QString& medido,
                  const QString& base = QString()) {
    QTextStream(stdout) << "| " << figura << " | " << meta << " | " << medido << " | " << base
                        << " |\n";
}
