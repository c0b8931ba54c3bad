#pragma once

#include "janelas/Janela.h"

#include <QLabel>
#include <QPushButton>

// The modal yes/no question: a monospaced message on a blue ground and two buttons.
class Dialogo : public DialogWindow {
public:
    explicit Dialogo(QWidget* dono = nullptr);

    // 1 puts the keyboard focus on the first button, anything else on the second.
    Dialogo& Setup(int foco);
    void BtnOK();
    void BtnCancel();

    QLabel* oDCTexto = nullptr;
    QPushButton* oCCBtnOK = nullptr;
    QPushButton* oCCBtnCancel = nullptr;
    int nOpcao = 0; // 1 first button, 2 second, 0 closed otherwise
};

// Asks `mensagem`; true when the first button was chosen. An empty caption keeps the button's
// own ("&OK", "&Cancela").
bool AvisoGet(const QString& mensagem, const QString& botao1, const QString& botao2, int foco);
