#pragma once

#include <QObject>

class Abertura : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void semConexao();
    void normal();
    void loginSoAposAsChecagens_data();
    void loginSoAposAsChecagens();
};
