#pragma once

#include <QObject>

class Conexao : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void primeiraTentativa();
    void nuncaAlcancado();
    void alcancadoNaTerceira();
};

// The "host" or "host:port" texts the servers are given as.
class Endereco : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void casos_data();
    void casos();
};
