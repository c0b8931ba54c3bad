#pragma once

#include <QObject>

class Planilhas : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void colagem_data();
    void colagem();
    void comoOExcelSalva_data();
    void comoOExcelSalva();
    void titulos_data();
    void titulos();
    void idaEVolta_data();
    void idaEVolta();
    void deOutraFerramenta();
    void csvDeOutroSistema_data();
    void csvDeOutroSistema();
    void lidaPorOutrosProgramas_data();
    void lidaPorOutrosProgramas();
    void arquivosHostis_data();
    void arquivosHostis();
    void observacaoComControles();
};
