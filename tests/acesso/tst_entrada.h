#pragma once

#include <QObject>

// The login's decisions, without its window.
class Entrar : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void recusas_data();
    void recusas();
    void falhasDoServidor_data();
    void falhasDoServidor();
    void entra();
};
