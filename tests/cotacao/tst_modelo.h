#pragma once

#include <QObject>

class ModeloDaGrade : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void consistente();
    void umTotalEmTodaParte();
};
