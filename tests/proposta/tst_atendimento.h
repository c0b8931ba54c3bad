#pragma once

#include <QObject>

class Atendimentos : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void abertura();
    void saida_data();
    void saida();
};
