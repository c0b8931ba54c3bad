#include "dialogos/ColunaItem.h"

#include "dialogos/Textos.h"
#include "janelas/Aparencia.h"
#include "janelas/GravacaoComAviso.h"
#include "janelas/UnidadesDeDialogo.h"
#include "nucleo/Ini.h"
#include "nucleo/ProgramDir.h"
#include "nucleo/Regional.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QLabel>

using namespace dialogos::textos;
using namespace janelas;
using namespace nucleo;

namespace {

template <class T> T* controle(QWidget* pai, const char* nome, QRect r, const QString& dica = {}) {
    auto* c = new T(pai);
    c->setObjectName(QString::fromLatin1(nome));
    c->setGeometry(r);
    if (!dica.isEmpty()) {
        c->setToolTip(dica);
        c->setStatusTip(dica);
    }
    return c;
}

QPushButton* botao(QWidget* pai, const char* nome, const QString& texto, QRect r,
                   const QString& dica = {}) {
    auto* b = controle<QPushButton>(pai, nome, r, dica);
    b->setText(texto);
    return b;
}

void rotulo(QWidget* pai, const QString& texto, QRect r) {
    (new QLabel(texto, pai))->setGeometry(r);
}

void comoDialogo(QWidget* d, int largura, int altura, const QString& titulo) {
    d->setFixedSize(UnidadesDeDialogo::x(largura), UnidadesDeDialogo::y(altura));
    d->setFont(Fonte(QStringLiteral("MS Shell Dlg"), 8));
    d->setWindowTitle(titulo);
}
} // namespace

ColumnAdd::ColumnAdd(QWidget* dono)
    : DialogWindow(dono) {
    comoDialogo(this, 264, 71, TituloInserindoColuna);
    Coluna =
        controle<QLineEdit>(this, "Coluna", UnidadesDeDialogo::rect(69, 4, 175, 13), DicaColuna);
    Coluna->setStatusTip(AjudaColuna); // its tip differs
    Codigo =
        controle<QLineEdit>(this, "Codigo", UnidadesDeDialogo::rect(69, 22, 175, 12), DicaCodigo);
    Editavel = controle<QComboBox>(this, "Editavel", UnidadesDeDialogo::rect(69, 39, 53, 12));
    Editavel->setStatusTip(AjudaEditavel);
    Editavel->addItems({QStringLiteral("TRUE"), QStringLiteral("FALSE")});
    Largura = controle<QLineEdit>(this, "Largura", UnidadesDeDialogo::rect(69, 56, 53, 12));
    QPushButton* ok = botao(this, "BtnOK", BotaoAdiciona, UnidadesDeDialogo::rect(133, 47, 53, 12));
    QPushButton* cancela =
        botao(this, "BtnCancel", BotaoCancelaColuna, UnidadesDeDialogo::rect(200, 46, 53, 13));
    cancela->setDefault(true);
    rotulo(this, RotuloNomeDoCampo, UnidadesDeDialogo::rect(5, 4, 61, 13));
    rotulo(this, RotuloCampoEditavel, UnidadesDeDialogo::rect(5, 39, 53, 12));
    rotulo(this, RotuloBlocoDeCodigo, UnidadesDeDialogo::rect(5, 22, 53, 12));
    rotulo(this, RotuloLargura, UnidadesDeDialogo::rect(5, 56, 60, 12));
    QObject::connect(ok, &QPushButton::clicked, this, [this] { BtnOK(); });
    QObject::connect(cancela, &QPushButton::clicked, this, [this] { BtnCancel(); });
    Editavel->setCurrentText(QStringLiteral("FALSE"));
}

void ColumnAdd::BtnOK() {
    lAdiciona = !Coluna->text().isEmpty() && !Largura->text().isEmpty();
    if (lAdiciona) {
        cColuna = Coluna->text();
        cWidth = Largura->text();
        cEdit = Editavel->currentText();
        cBlock = Codigo->text();
    }
    EndDialog();
}

void ColumnAdd::BtnCancel() {
    lAdiciona = false;
    EndDialog();
}

ColumnMov::ColumnMov(QWidget* dono)
    : DataDialog(dono) {
    comoDialogo(this, 159, 29, TituloReposicionando);
    rotulo(this, RotuloColuna, UnidadesDeDialogo::rect(6, 8, 30, 12));
    const QString dica = DicaNovaPosicao;
    nColuna = controle<QLineEdit>(this, "nColuna", UnidadesDeDialogo::rect(40, 8, 54, 12), dica);
    QPushButton* ok =
        botao(this, "BtnOK", BotaoOk, UnidadesDeDialogo::rect(98, 8, 53, 12), AjudaOkPosicao);
    ok->setDefault(true);
    QObject::connect(ok, &QPushButton::clicked, this, [this] { BtnOK(); });
}

void ColumnMov::tomaNumero() {
    nNewColuna = int(Val(nColuna->text()));
}

void ColumnMov::BtnOK() {
    tomaNumero();
    EndWindow();
}

bool ColumnMov::QueryClose() {
    const bool fecha = DataDialog::QueryClose();
    tomaNumero();
    return fecha;
}

QString NovoItem::arquivo() {
    return ArquivoDoPrograma(QStringLiteral("Estoque.Ini"));
}

NovoItem::NovoItem(QWidget* dono)
    : DialogWindow(dono) {
    comoDialogo(this, 174, 49, TituloAdicionando);
    auto* grupo = new QGroupBox(GrupoInserindo, this);
    grupo->setObjectName(QStringLiteral("RadioButtonGroup1"));
    grupo->setGeometry(UnidadesDeDialogo::rect(2, 2, 116, 44));
    RadioSimples = controle<QRadioButton>(this, "RadioSimples",
                                          UnidadesDeDialogo::rect(7, 14, 80, 11), AjudaItemSimples);
    RadioSimples->setText(ItemSimples);
    RadioVinculo = controle<QRadioButton>(this, "RadioVinculo",
                                          UnidadesDeDialogo::rect(7, 29, 80, 11), AjudaItemVinculo);
    RadioVinculo->setText(ItemVinculado);
    auto* exclusivos = new QButtonGroup(this);
    exclusivos->addButton(RadioSimples);
    exclusivos->addButton(RadioVinculo);
    QPushButton* novo =
        botao(this, "BtnNovo", BotaoNovo, UnidadesDeDialogo::rect(118, 6, 54, 13), AjudaNovo);
    novo->setDefault(true);
    QPushButton* sair =
        botao(this, "BtnSair", BotaoSair, UnidadesDeDialogo::rect(118, 33, 54, 13), AjudaSair);
    QObject::connect(novo, &QPushButton::clicked, this, [this] { BtnNovo(); });
    QObject::connect(sair, &QPushButton::clicked, this, [this] { BtnSair(); });

    QString tipo;
    GetFileIni(QStringLiteral("CONFIG"), QStringLiteral("NOVOTIPO"), QStringLiteral("1"), arquivo(),
               tipo);
    const int escolha = int(Val(tipo));
    if (escolha == 1)
        RadioSimples->setChecked(true);
    else if (escolha == 2)
        RadioVinculo->setChecked(true);
    else {
        exclusivos->setExclusive(false); // nothing preselected
        RadioSimples->setChecked(false);
        RadioVinculo->setChecked(false);
        exclusivos->setExclusive(true);
    }
}

void NovoItem::BtnNovo() {
    if (RadioSimples->isChecked())
        nPressed = 1;
    else if (RadioVinculo->isChecked())
        nPressed = 2;
    // A choice that could not be kept was told in the write error's box, which the user passed
    // over: the dialog still answers it.
    static_cast<void>(GravaIni(QStringLiteral("CONFIG"), QStringLiteral("NOVOTIPO"),
                               QString::number(nPressed), arquivo()));
    EndDialog(nPressed);
}

void NovoItem::BtnSair() {
    EndDialog();
}

TARVO::TARVO()
    : QIcon(QStringLiteral(":/arte/tarvo.png")) {}
