#pragma once

#include <QObject>

// The transfers against the production daemons as vendors get them, TLS required.
class ServidoresFtp : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void comoEmbalados_data();
    void comoEmbalados();
    void respostaGrande_data();
    void respostaGrande();
};
