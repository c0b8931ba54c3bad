#pragma once

#include <QObject>

class Conexao : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void primeiraTentativa();
    void nuncaAlcancado();
    void alcancadoNaTerceira();
};
