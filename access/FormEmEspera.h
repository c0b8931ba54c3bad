#pragma once

#include "runtime/Window.h"

#include <QLabel>

// The waiting notice: a small dark rounded window with one line of text, shown above every
// other window while the program is blocked in a network step.
class FormEmEspera : public DataWindow {
public:
    FormEmEspera();
    void Show() override;

    QLabel* oDCTexto = nullptr;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void PostInit();
};

// Shows a new notice with `texto` (without blanks around it), painted before it returns, or,
// with `fechar`, closes the notice last shown (nothing when none is open). Answers the notice.
FormEmEspera* ExibeAvisoEmEspera(const QString& texto, bool fechar);
