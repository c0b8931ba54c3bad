// The grid's commands that find products: the search field, Ctrl+G to the first product without
// a price.
#include "cotacao/ComandosDaGrade.h"
#include "cotacao/Textos.h"
#include "grade/ControleGrade.h"
#include "nucleo/Regional.h"
#include "proposta/Busca.h"
#include "proposta/ColunasProdutos.h"
#include "proposta/Textos.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QShortcut>
#include <QToolBar>

using namespace cotacao;
using namespace grade;
using namespace proposta;
using namespace nucleo;

void ComandosDaGrade::criaLocalizar(QToolBar* barra) {
    barra->addSeparator();
    auto* rotulo = new QLabel(proposta::textos::Localizar, barra);
    m_localizar = new QLineEdit(barra);
    m_localizar->setObjectName(QStringLiteral("Localizar"));
    m_localizar->setAccessibleName(cotacao::textos::NomeLocalizar);
    m_localizar->setPlaceholderText(proposta::textos::ProcurarDica);
    m_localizar->setStatusTip(proposta::textos::AjudaLocalizar);
    m_localizar->setClearButtonEnabled(true);
    m_localizar->setMaximumWidth(260);
    rotulo->setBuddy(m_localizar);
    barra->addWidget(rotulo);
    barra->addWidget(m_localizar);
    QObject::connect(m_localizar, &QLineEdit::textChanged, this,
                     [this](const QString& texto) { filtra(texto); });
    // Esc empties the search, and every product shows again (eventFilter).
    m_localizar->installEventFilter(this);
    // From the search into the products it found, by the keyboard.
    QObject::connect(m_localizar, &QLineEdit::returnPressed, this, [this] { vaiPara(-1); });
    auto* desce = new QShortcut(QKeySequence(Qt::Key_Down), m_localizar, nullptr, nullptr,
                                Qt::WidgetShortcut);
    QObject::connect(desce, &QShortcut::activated, this, [this] { vaiPara(-1); });
}

void ComandosDaGrade::Localizar() {
    m_localizar->setFocus(Qt::ShortcutFocusReason);
    m_localizar->selectAll();
}

void ComandosDaGrade::filtra(const QString& texto) {
    const proposta::Busca busca(texto);
    m_produtos->setUpdatesEnabled(false);
    int mostrados = 0;
    for (int linha = 0; linha < m_chavesDeBusca.size(); ++linha) {
        const bool oculta = !busca.vazia() && !busca.corresponde(m_chavesDeBusca[linha]);
        if (m_produtos->isRowHidden(linha) != oculta)
            m_produtos->setRowHidden(linha, oculta);
        mostrados += !oculta;
    }
    m_produtos->setUpdatesEnabled(true);
    // While the list is filtered, the status bar says how much of it shows.
    if (busca.vazia())
        informa({}, true);
    else
        informa(mostrados == 0
                    ? proposta::textos::NenhumProdutoEncontrado
                    : proposta::textos::ProdutosMostrados.para(m_proposta.produtos())
                          .arg(ComMilhares(mostrados, 0), ComMilhares(m_proposta.produtos(), 0)),
                true);
}

void ComandosDaGrade::vaiPara(int produto) {
    // Without a product named, the first one shown.
    for (int i = 0; produto < 0 && i < m_proposta.produtos(); ++i)
        if (!m_produtos->isRowHidden(i))
            produto = i;
    if (produto < 0)
        return;
    m_produtos->ConfirmaEdicao();
    const QModelIndex destino = m_produtos->model()->index(produto, kColunaPreco);
    m_produtos->setCurrentIndex(destino);
    m_produtos->scrollTo(destino);
    m_produtos->setFocus(Qt::ShortcutFocusReason);
}

void ComandosDaGrade::IrParaPrimeiroSemPreco() {
    int ocultos = 0;
    for (int i = 0; i < m_proposta.produtos(); ++i) {
        if (!m_proposta.valor(i).zero())
            continue;
        if (!m_produtos->isRowHidden(i)) {
            vaiPara(i);
            return;
        }
        ++ocultos;
    }
    // "All priced" only of the products shown: the search may hide some still to price.
    informa(ocultos ? proposta::textos::OcultosSemPreco.para(ocultos).arg(ComMilhares(ocultos, 0))
                    : proposta::textos::TodosComPreco);
}

bool ComandosDaGrade::eventFilter(QObject* objeto, QEvent* evento) {
    if (objeto == m_localizar && evento->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(evento)->key() == Qt::Key_Escape &&
        static_cast<QKeyEvent*>(evento)->modifiers() == Qt::NoModifier) {
        m_localizar->clear();
        return true;
    }
    return QObject::eventFilter(objeto, evento);
}
