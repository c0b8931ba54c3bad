#pragma once

#include "janelas/Janela.h"

#include <QPushButton>

namespace janelas {
class ImagemFundo;
}

// The thank-you window shown when the supplier leaves; whoever opens it gives it QuitOnClose,
// so closing it, by Ok or otherwise, ends the program.
class FormObrigado : public DataDialog {
public:
    FormObrigado();

    void OK();

private:
    void PostInit();

    janelas::ImagemFundo* m_fundo = nullptr;
    QPushButton* m_ok = nullptr;
};
