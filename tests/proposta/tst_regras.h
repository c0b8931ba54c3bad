#pragma once

#include <QObject>

class RegrasDaProposta : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void totaisEMinimo_data();
    void totaisEMinimo();
    void respostaAnteriorPorPosicao();
    void precosQueNaoSaoValores();
    void quantidadesIlegiveis();
    void identidades_data();
    void identidades();
    void precosConhecidos();
    void mesmoCodigoDeBarras();
    void rascunho();
    void rascunhoOferecido_data();
    void rascunhoOferecido();
};

class EnvioSemJanela : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void desfechos_data();
    void desfechos();
};
