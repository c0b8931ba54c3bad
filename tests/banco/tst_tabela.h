#pragma once

#include <QObject>

class Tabela : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void grandeSobreviveAoReinicio();
    void procura_data();
    void procura();
    void substituiTudoOuNada();
};

class Listagem : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void recibosComSeusNumeros();
    void recibosDaVersaoAnterior();
    void rascunhosPendentes();
    void confereBytes();
};
