#pragma once

#include <QObject>

class Ftp : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void baixar_data();
    void baixar();
    void enviar_data();
    void enviar();
    void envioVerificado_data();
    void envioVerificado();
    void limites_data();
    void limites();
    void discoCheio();
    void servidorMudo();
    void parado();
    void caminhoLocalNomeado();
};
