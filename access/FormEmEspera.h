#pragma once

#include "runtime/ui/Janela.h"

#include <QElapsedTimer>
#include <QLabel>

// The waiting notice: a small dark rounded window with one line of text, shown above every
// other window while the program waits for a network step; a transfer that takes more than
// about a second shows its progress below the text.
class FormEmEspera : public DataWindow {
public:
    FormEmEspera();
    void Show() override;

    QLabel* oDCTexto = nullptr;

    // The bytes moved so far of a file of `total` bytes (0 while unknown).
    void MostraProgresso(qint64 feito, qint64 total);
    QString TextoDoProgresso() const { return m_progresso->text(); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void PostInit();

    QLabel* m_progresso = nullptr;
    QElapsedTimer m_desde;
};

// Shows a new notice with `texto` (without blanks around it), painted before it returns, or,
// with `fechar`, closes the notice last shown (nothing when none is open). Answers the notice.
FormEmEspera* ExibeAvisoEmEspera(const QString& texto, bool fechar);
