#pragma once

#include <QObject>

class Reimpressao : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void daListaAoPdf();
};
