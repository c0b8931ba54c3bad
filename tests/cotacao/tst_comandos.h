#pragma once

#include <QObject>

class ComandosDoForm : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void textoDeForaNaoEMarcacao();
    void colarEDesfazer();
    void localizarEDigitar();
    void teclasDaGrade();
    void caminhoDoTeclado();
    void resumoEAcessibilidade();
    void ultimosPrecos();
    void tabelaDePrecos();
    void imprimeRespostaGuardada();
    void umaPastaParaTodos();
    void planilhaRecusada();
};
