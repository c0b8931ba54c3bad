#pragma once

#include <QObject>

class TabelaDePrecos : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void leitura_data();
    void leitura();
    void planilhaDoExcel();
    void resumo_data();
    void resumo();
    void grandeImportadaEGuardada();
};
