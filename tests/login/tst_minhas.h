#pragma once

#include <QObject>

class ListaDeRespostas : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void respostasERascunhosEmOrdem();
    void listaVazia();
    void escolherNumero_data();
    void escolherNumero();
    void imprimir_data();
    void imprimir();
    void semImpressaoSemBotao();
    void dentroDaTela();
    void numerosOferecidos();
};
