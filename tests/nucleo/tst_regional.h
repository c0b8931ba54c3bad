#pragma once

#include <QObject>

class Regional : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanupTestCase();
    void daLocalidade_data();
    void daLocalidade();
    void semItensLegiveis();
    void itensQueNaoCabem();
    void sufixoDaManhaVazio();
    void formatoDaData_data();
    void formatoDaData();
    void modosFixos();
    void numeroParaTexto_data();
    void numeroParaTexto();
    void numeroDoTexto_data();
    void numeroDoTexto();
    void dataEHora_data();
    void dataEHora();
};
