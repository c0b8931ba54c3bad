#pragma once

#include <QElapsedTimer>
#include <QFile>
#include <QString>
#include <QTextStream>
#include <QtGlobal>

#include <algorithm>
#include <functional>
#include <vector>

// BENCH_RAPIDO=1: the test run's check that every benchmark still runs to its end, in seconds.
// Each figure is then measured once, at the small size each program gives (tamanho); its figures
// say nothing.
inline bool rapido() {
    return qEnvironmentVariableIntValue("BENCH_RAPIDO") > 0;
}

inline int tamanho(int medido, int pequeno) {
    return rapido() ? pequeno : medido;
}

// How many times a figure is measured.
inline int vezes(int medidas) {
    return rapido() ? 1 : medidas;
}

// The peak resident memory of this process, in MB: VmHWM, which belongs to the program image
// (getrusage's ru_maxrss survives exec, so a child started from a large process reports at least
// that process's size). 0 where there is no /proc.
inline double picoDeMemoriaMb() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& linha : status.readAll().split('\n'))
        if (linha.startsWith("VmHWM:"))
            return linha.mid(6).trimmed().split(' ').value(0).toDouble() / 1024.0;
    return 0;
}

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

// Runs `f` `medidas` times and answers the median time in milliseconds.
inline double medianaMs(int medidas, const std::function<void()>& f) {
    std::vector<double> tempos;
    for (int i = 0; i < vezes(medidas); ++i)
        tempos.push_back(tempoMs(f));
    return mediana(std::move(tempos));
}

// The same, with `preparo` run before each time `f` is timed and left out of the figure.
inline double medianaMs(int medidas, const std::function<void()>& preparo,
                        const std::function<void()>& f) {
    std::vector<double> tempos;
    for (int i = 0; i < vezes(medidas); ++i) {
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
