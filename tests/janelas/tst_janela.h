#pragma once

#include <QObject>

class Janelas : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void fecharQuemTemOFlagEncerra();
    void passagemSemJanelaAbertaNaoEncerra();
    void fecharSemOFlagNaoEncerra();
    void queryCloseRecusaMantemAberta();
    void escapeFechaPeloMesmoCaminho();
    void timerDeUmaVez();
    void editChangeAoDigitarEAoPreencher();
    void caixasRegistradasERespondidas();
    void centralizadaDentroDaTela_data();
    void centralizadaDentroDaTela();
};
