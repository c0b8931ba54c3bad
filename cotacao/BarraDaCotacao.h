#pragma once

#include <QObject>
#include <QString>

class QLabel;
class QMainWindow;
class QTimer;

namespace cotacao {

class LinhaDeMensagem;

// The quotation window's status bar: beside the totals and the room left in the remarks, one line
// of two rows that says the tip of the command under the pointer, else the last message, else the
// quotation's lasting situation (the last sending, a draft that cannot be kept).
class BarraDaCotacao : public QObject {
public:
    BarraDaCotacao(QMainWindow* janela, QObject* dono);

    // A message: for ten seconds, or until another when `fica`.
    void informa(const QString& texto, bool fica = false);
    void mostraResumo(const QString& texto);
    // Shown only while it says something.
    void mostraEspaco(const QString& texto);
    // Shown while no message is.
    void mostraSituacao(const QString& texto);

protected:
    // The window's status tips go to the message line.
    bool eventFilter(QObject* objeto, QEvent* evento) override;

private:
    void mostraLinha();

    QMainWindow* m_janela;
    LinhaDeMensagem* m_mensagem;
    QString m_ultimaMensagem; // shown again when a status tip goes
    QString m_dica;           // the tip of the command under the pointer
    QTimer* m_fimDaMensagem;
    QLabel* m_espaco;
    QLabel* m_resumo;
    QLabel* m_situacao;
};

} // namespace cotacao
