#pragma once

#include <QObject>

class Versao : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void verificaVersao_data();
    void verificaVersao();
    void naoPublicaAposFalha();
};

class Inicio : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void desatualizadaComInstalador();
    void anunciadaSemAssinatura();
    void instaladorNaoInicia();
    void atualizacaoVerificada_data();
    void atualizacaoVerificada();
    void umaAtualizacaoPorVez();
    void pastaSomenteLeitura();
    void temporariosAbandonados();
    void esquecerServidor();
    void versaoNaoBaixada_data();
    void versaoNaoBaixada();
    void ligacoesNaoSeguidas();
    void tlsLembradoNoBanco();
};
