#pragma once

#include <QObject>

class Erros : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void mensagem_data();
    void mensagem();
    void registro_data();
    void registro();
    void nomeDaRotina_data();
    void nomeDaRotina();
    void pilhaDeCincoRotinas();
    void escolhas_data();
    void escolhas();
    void respostas_data();
    void respostas();
    void logNovoEAcrescentado();
    void logQueNaoAbreNaoImpedeACaixa();
    void logNoDiscoCheio();
    void falhaDitaComDetalheNoLog();
    void casoDeRedeNaoMostraNada();
    void valorQueNaoEErro();
    void defErrorGenSemRegistro();
    void gravacaoQueFalhaEUmErro();
    void excecaoNoTratamentoDeEvento();
    void filhoTerminaComoOErroDecide_data();
    void filhoTerminaComoOErroDecide();
};
