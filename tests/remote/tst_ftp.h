#pragma once

#include <QObject>

class Ftp : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void baixar_data();
    void baixar();
    void enviar_data();
    void enviar();
    void servidorMudo();
    void downloadParado();
    void uploadParado();
};
