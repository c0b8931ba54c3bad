#pragma once

#include "janelas/Janela.h"

#include <QElapsedTimer>
#include <QLabel>
#include <QPointer>

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
// with `fechar`, closes the notice last shown of those still open (nothing when none is). Answers
// the notice. Notices nest: each close takes the innermost one, and the one below shows the
// progress again.
FormEmEspera* ExibeAvisoEmEspera(const QString& texto, bool fechar);

namespace janelas {

// The waiting notice for as long as the scope runs: shown (painted) by the constructor, closed
// by the destructor however the scope ends (a return, an exception). It closes its own notice,
// even when others opened inside it are still up.
class AvisoEmEspera {
public:
    explicit AvisoEmEspera(const QString& texto);
    ~AvisoEmEspera();
    AvisoEmEspera(const AvisoEmEspera&) = delete;
    AvisoEmEspera& operator=(const AvisoEmEspera&) = delete;

    // Closes the notice before the scope ends; nothing when already closed.
    void fecha();

    FormEmEspera* janela() const { return m_aviso; }

private:
    QPointer<FormEmEspera> m_aviso;
};

} // namespace janelas
