#pragma once

#include <QObject>
#include <QString>

class QLabel;
class QMainWindow;
class QTimer;

namespace cotacao {

class LinhaDeMensagem;

// The quotation window's status bar: the message line (two lines beside the totals; a status tip
// while the pointer is on a command), the quotation's lasting situation, the room left in the
// remarks and the totals.
class BarraDaCotacao : public QObject {
public:
    BarraDaCotacao(QMainWindow* janela, QObject* dono);

    // A message: for ten seconds, or until another when `fica`.
    void informa(const QString& texto, bool fica = false);
    void mostraResumo(const QString& texto);
    // Shown only while it says something.
    void mostraEspaco(const QString& texto);
    void mostraSituacao(const QString& texto);

protected:
    // The window's status tips go to the message line.
    bool eventFilter(QObject* objeto, QEvent* evento) override;

private:
    QMainWindow* m_janela;
    LinhaDeMensagem* m_mensagem;
    QString m_ultimaMensagem; // shown again when a status tip goes
    QTimer* m_fimDaMensagem;
    QLabel* m_espaco;
    QLabel* m_resumo;
    QLabel* m_situacao;
};

} // namespace cotacao
