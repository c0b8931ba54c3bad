#include "cotacao/TelaCotacao.h"

#include "cotacao/Textos.h"
#include "formatos/Quantia.h"
#include "grade/ControleGrade.h"
#include "janelas/Aparencia.h"
#include "janelas/UnidadesDeDialogo.h"
#include "nucleo/Regional.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>

#include <algorithm>

using namespace cotacao;
using namespace cotacao::textos;
using namespace janelas;
using UnidadesDeDialogo::rect;

namespace {

const QColor kFaixa(0, 50, 78);

QLabel* texto(QWidget* pai, const QString& legenda, QRect r, const QFont* fonte = nullptr,
              int cor = 0) {
    auto* l = new QLabel(legenda, pai);
    l->setTextFormat(Qt::PlainText); // the requester's name comes from the server
    l->setGeometry(r);
    if (fonte)
        l->setFont(*fonte);
    if (cor)
        CorDoTexto(l, CorPredefinida(cor));
    return l;
}

// An edit field; a screen reader says its label's words, not its name.
QLineEdit* campo(QWidget* pai, const char* nome, const QString& rotulo, QRect r) {
    auto* e = new QLineEdit(pai);
    e->setObjectName(QString::fromLatin1(nome));
    e->setAccessibleName(rotulo);
    e->setGeometry(r);
    return e;
}

// What the keyboard may put in an amount field or a price cell: the amount rule as it is typed.
QValidator* novoValidadorDeQuantia(QObject* dono) {
    return new grade::ValidadorDeRegra(
        [](QString& texto) {
            switch (formatos::DigitacaoDeQuantia(texto)) {
            case formatos::Digitacao::Aceita:
                return QValidator::Acceptable;
            case formatos::Digitacao::Incompleta:
                return QValidator::Intermediate;
            case formatos::Digitacao::Recusada:
                break;
            }
            return QValidator::Invalid;
        },
        dono);
}

void formataQuantia(QLineEdit* e) {
    const QString formatado = formatos::TextoDeQuantia(e->text());
    if (formatado != e->text())
        e->setText(formatado);
}

// A numeric field of length 12 with 2 decimals: it takes an amount and, once left, shows it
// formatted.
void valor(QLineEdit* e) {
    e->setValidator(novoValidadorDeQuantia(e));
    e->setMaxLength(12);
    e->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    QObject::connect(e, &QLineEdit::editingFinished, e, [e] { formataQuantia(e); });
}

// A frame drawn around fields: it stays behind them, or it would take their mouse clicks.
QGroupBox* moldura(QWidget* pai, const QString& titulo, QRect r) {
    auto* caixa = new QGroupBox(titulo, pai);
    caixa->setGeometry(r);
    caixa->lower();
    return caixa;
}

// Where the grid and what lies below it stand at the grid's full height.
constexpr QRect kMolduraProdutos = rect(4, 79, 611, 246);
constexpr QRect kMolduraObservacoes = rect(4, 331, 611, 29);
constexpr QRect kObservacoes = rect(10, 342, 599, 12);
constexpr QRect kProdutos = rect(10, 89, 599, 229);
constexpr QSize kArea(janelas::UnidadesDeDialogo::x(616), janelas::UnidadesDeDialogo::y(361));
// The heading and about four rows stay when the grid gives up height.
constexpr int kAlturaMinimaDaGrade = 96;

grade::ControleGrade* novaGrade(QWidget* pai, const char* nome, QRect r) {
    auto* g = new grade::ControleGrade(pai);
    g->setObjectName(QString::fromLatin1(nome));
    g->setGeometry(r);
    return g;
}

} // namespace

TelaCotacao TelaCotacao::Monta(QWidget* area) {
    const QFont pequena = Fonte(QStringLiteral("Microsoft Sans Serif"), 7);
    const QFont normal = Fonte(QStringLiteral("Microsoft Sans Serif"), 8);
    const QFont negrito = Fonte(QStringLiteral("Microsoft Sans Serif"), 8, true);
    TelaCotacao t;

    t.formaPgto = campo(area, "MFormaPgto", NomeFormaPgto, rect(72, 9, 53, 13));
    t.prazoEntrega = campo(area, "MPrazoEntrega", NomePrazoEntrega, rect(72, 25, 53, 13));
    t.pedidoMinimo = campo(area, "MPedidoMinimo", NomePedidoMinimo, rect(72, 41, 53, 13));
    t.valorFrete = campo(area, "MValorFrete", NomeValorFrete, rect(72, 57, 53, 13));
    valor(t.pedidoMinimo);
    valor(t.valorFrete);
    t.molduraProdutos = moldura(area, QString(), kMolduraProdutos);
    t.molduraObservacoes = moldura(area, MolduraObservacoes, kMolduraObservacoes);
    texto(area, RotuloFormaPgto, rect(10, 11, 51, 9));
    texto(area, RotuloPrazoEntrega, rect(10, 27, 60, 8));
    moldura(area, MolduraDadosGerais, rect(4, 0, 242, 75));
    texto(area, DicaFormaPgto, rect(129, 11, 112, 11), &pequena, 4);
    texto(area, DicaPrazoEntrega, rect(129, 28, 76, 8), &pequena, 4);

    // The dark band behind the notes lies below them.
    QLabel* faixa = texto(area, QString(), rect(372, 28, 242, 48));
    CorDeFundo(faixa, kFaixa);
    faixa->lower();
    texto(area, NotaSubstituicao, rect(384, 40, 229, 12), &normal, 6);
    texto(area, NotaUnidade, rect(384, 52, 188, 12), &normal, 6);
    texto(area, Atencao, rect(469, 29, 52, 11), &negrito, 6);
    texto(area, RotuloPedidoMinimo, rect(10, 43, 51, 9));
    texto(area, RotuloValorFrete, rect(10, 59, 51, 9));
    texto(area, DicaEmReais, rect(129, 44, 76, 8), &pequena, 4);
    texto(area, DicaEmReais, rect(129, 59, 76, 9), &pequena, 4);
    texto(area, NotaPreencher, rect(384, 64, 188, 12), &normal, 6);
    moldura(area, MolduraSolicitante, rect(251, 0, 364, 24));
    t.solicitante = texto(area, SemSolicitante, rect(258, 10, 316, 10), &negrito, 1);
    t.solicitante->setObjectName(QStringLiteral("MSolicitante"));
    t.observacoes = campo(area, "MObservacoes", NomeObservacoes, kObservacoes);

    t.produtos = novaGrade(area, "MListaProdutos", kProdutos);
    t.produtos->setFocusPolicy(Qt::ClickFocus);
    t.produtos->setAccessibleName(NomeProdutos);
    // Ranges of cells, for copying and for one value pasted into many.
    t.produtos->setSelectionMode(QAbstractItemView::ContiguousSelection);
    t.produtos->modelo()->setValidadorNumerico(novoValidadorDeQuantia);
    t.relatorios = novaGrade(area, "MListaRelatorios", rect(390, 112, 202, 128));
    t.relatorios->hide();

    QWidget::setTabOrder(t.formaPgto, t.prazoEntrega);
    QWidget::setTabOrder(t.prazoEntrega, t.pedidoMinimo);
    QWidget::setTabOrder(t.pedidoMinimo, t.valorFrete);
    QWidget::setTabOrder(t.valorFrete, t.observacoes);
    return t;
}

QSize TelaCotacao::TamanhoInteiro() {
    return kArea;
}

int TelaCotacao::AlturaQueAGradeCede() {
    return kProdutos.height() - kAlturaMinimaDaGrade;
}

void TelaCotacao::cedeAltura(QWidget* area, int pixels) const {
    const int cedida = std::clamp(pixels, 0, AlturaQueAGradeCede());
    produtos->setGeometry(kProdutos.adjusted(0, 0, 0, -cedida));
    molduraProdutos->setGeometry(kMolduraProdutos.adjusted(0, 0, 0, -cedida));
    molduraObservacoes->setGeometry(kMolduraObservacoes.translated(0, -cedida));
    observacoes->setGeometry(kObservacoes.translated(0, -cedida));
    area->setFixedSize(kArea - QSize(0, cedida));
}

QLineEdit* TelaCotacao::termo(const QString& nome) const {
    for (QLineEdit* e : {observacoes, prazoEntrega, formaPgto, pedidoMinimo, valorFrete})
        if (e->objectName() == nome)
            return e;
    return nullptr;
}

void TelaCotacao::formataQuantias() const {
    formataQuantia(pedidoMinimo);
    formataQuantia(valorFrete);
}
