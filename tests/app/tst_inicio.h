#pragma once

#include <QObject>

class Versao : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void verificaVersao_data();
    void verificaVersao();
};

class Inicio : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void semConexao();
    void normal();
    void desatualizadaComInstalador();
    void desatualizadaSemInstalador();
    void instaladorNaoInicia();
    void atualizacaoVerificada_data();
    void atualizacaoVerificada();
    void pastaSomenteLeitura();
    void temporariosAbandonados();
};
