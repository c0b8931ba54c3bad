#pragma once

#include <QObject>

class Ini : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void leitura_data();
    void leitura();
    void limiteDoValor_data();
    void limiteDoValor();
    void escrita_data();
    void escrita();
    void escreverELer_data();
    void escreverELer();
    void arquivoNovo();
};

class Texto : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void limpaNumeros_data();
    void limpaNumeros();
    void cp1252TodosOsBytes();
    void cp1252ForaDaPagina_data();
    void cp1252ForaDaPagina();
};
