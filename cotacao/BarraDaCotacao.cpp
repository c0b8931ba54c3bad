#include "cotacao/BarraDaCotacao.h"

#include <QEvent>
#include <QLabel>
#include <QMainWindow>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QTimer>

#include <algorithm>

namespace cotacao {

// The status bar's message, on two lines beside the totals and never under them (a message of
// the status bar's own is drawn across its whole width).
class LinhaDeMensagem : public QLabel {
public:
    explicit LinhaDeMensagem(QStatusBar* barra)
        : QLabel(barra) {
        setObjectName(QStringLiteral("Mensagem"));
        setTextFormat(Qt::PlainText);
        setWordWrap(true);
        setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
        setMinimumWidth(1);
        // Two lines are the bar's from the start: the window is sized with them, and a message
        // coming or going never takes room from the form above it.
        setFixedHeight(2 * fontMetrics().lineSpacing() + 2);
    }
    void mostra(const QString& texto) {
        m_texto = texto;
        ajusta();
    }

protected:
    void resizeEvent(QResizeEvent* evento) override {
        QLabel::resizeEvent(evento);
        ajusta();
    }

private:
    // The whole message where its two lines hold it (they do at the window's size); at a width
    // where they do not, as much as they hold, ended by "…", the whole of it in the tip.
    void ajusta() {
        const QRect espaco(0, 0, std::max(1, width()), 100 * height());
        const auto cabe = [&](const QString& t) {
            return fontMetrics().boundingRect(espaco, Qt::TextWordWrap, t).height() <= height();
        };
        QString mostrado = m_texto;
        if (!cabe(mostrado)) {
            qsizetype dentro = 0, fora = m_texto.size();
            while (fora - dentro > 1) {
                const qsizetype meio = (dentro + fora) / 2;
                (cabe(m_texto.left(meio) + u'…') ? dentro : fora) = meio;
            }
            mostrado = m_texto.left(dentro) + u'…';
        }
        if (mostrado != text())
            setText(mostrado);
        setToolTip(mostrado == m_texto ? QString() : m_texto);
    }
    QString m_texto;
};

BarraDaCotacao::BarraDaCotacao(QMainWindow* janela, QObject* dono)
    : QObject(dono)
    , m_janela(janela) {
    QStatusBar* barra = janela->statusBar();
    m_mensagem = new LinhaDeMensagem(barra);
    barra->addWidget(m_mensagem, 1);
    m_fimDaMensagem = new QTimer(this);
    m_fimDaMensagem->setSingleShot(true);
    QObject::connect(m_fimDaMensagem, &QTimer::timeout, this, [this] { informa({}, true); });
    janela->installEventFilter(this);
    m_espaco = new QLabel(janela);
    m_espaco->setObjectName(QStringLiteral("EspacoObs"));
    barra->addPermanentWidget(m_espaco);
    m_espaco->hide();
    m_resumo = new QLabel(janela);
    m_resumo->setObjectName(QStringLiteral("Resumo"));
    barra->addPermanentWidget(m_resumo);
    // In the message line's place, and of its height, while there is no message.
    m_situacao = new QLabel(janela);
    m_situacao->setTextFormat(Qt::PlainText);
    m_situacao->setObjectName(QStringLiteral("Situacao"));
    m_situacao->setWordWrap(true);
    // Where the window is narrow this line gives way to the total beside it.
    m_situacao->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    m_situacao->setFixedHeight(m_mensagem->minimumHeight());
    barra->addWidget(m_situacao, 1);
    m_situacao->hide();
}

// The tip of the command under the pointer, else the last message, else the quotation's
// situation: one of them, in the whole room beside the totals.
void BarraDaCotacao::mostraLinha() {
    const QString texto = m_dica.isEmpty() ? m_ultimaMensagem : m_dica;
    const bool situacao = texto.isEmpty() && !m_situacao->text().isEmpty();
    m_mensagem->mostra(texto);
    m_mensagem->setVisible(!situacao);
    m_situacao->setVisible(situacao);
}

void BarraDaCotacao::informa(const QString& texto, bool fica) {
    m_ultimaMensagem = texto;
    mostraLinha();
    if (fica || texto.isEmpty())
        m_fimDaMensagem->stop();
    else
        m_fimDaMensagem->start(10000);
}

void BarraDaCotacao::mostraResumo(const QString& texto) {
    m_resumo->setText(texto);
}

void BarraDaCotacao::mostraEspaco(const QString& texto) {
    m_espaco->setText(texto);
    m_espaco->setVisible(!texto.isEmpty());
}

void BarraDaCotacao::mostraSituacao(const QString& texto) {
    m_situacao->setText(texto);
    mostraLinha();
}

bool BarraDaCotacao::eventFilter(QObject* objeto, QEvent* evento) {
    if (objeto == m_janela && evento->type() == QEvent::StatusTip) {
        m_dica = static_cast<QStatusTipEvent*>(evento)->tip();
        mostraLinha();
        return true;
    }
    return QObject::eventFilter(objeto, evento);
}

} // namespace cotacao
