#pragma once

#include <QObject>

class Assinatura : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void verificacao_data();
    void verificacao();
};
