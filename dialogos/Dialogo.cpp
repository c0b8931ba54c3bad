#include "dialogos/Dialogo.h"

#include "dialogos/Textos.h"
#include "janelas/Aparencia.h"
#include "janelas/Caixas.h"
#include "janelas/UnidadesDeDialogo.h"

using namespace janelas;

namespace {
const QColor kAzul(0, 0, 255);
} // namespace

Dialogo::Dialogo(QWidget* dono)
    : DialogWindow(dono) {
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint); // no close box
    setWindowModality(Qt::ApplicationModal);
    setFixedSize(UnidadesDeDialogo::x(262), UnidadesDeDialogo::y(104));
    setFont(Fonte(QStringLiteral("MS Sans Serif"), 8));
    setWindowTitle(dialogos::textos::TituloAtencao);
    CorDeFundo(this, kAzul);

    oDCTexto = new QLabel(dialogos::textos::SemInformacao, this);
    oDCTexto->setObjectName(QStringLiteral("Texto"));
    oDCTexto->setTextFormat(Qt::PlainText); // questions may name products from the server
    oDCTexto->setGeometry(UnidadesDeDialogo::rect(5, 3, 252, 81));
    oDCTexto->setAlignment(Qt::AlignCenter);
    oDCTexto->setWordWrap(true);
    oDCTexto->setFont(Fonte(QStringLiteral("Courier New"), 9));
    CorDoTexto(oDCTexto, CorPredefinida(3));

    oCCBtnOK = new QPushButton(dialogos::textos::BotaoOK, this);
    oCCBtnOK->setObjectName(QStringLiteral("BtnOK"));
    oCCBtnOK->setGeometry(UnidadesDeDialogo::rect(51, 87, 53, 13));
    oCCBtnCancel = new QPushButton(dialogos::textos::BotaoCancela, this);
    oCCBtnCancel->setObjectName(QStringLiteral("BtnCancel"));
    oCCBtnCancel->setGeometry(UnidadesDeDialogo::rect(158, 87, 54, 13));
    for (QPushButton* botao : {oCCBtnOK, oCCBtnCancel}) {
        botao->setFlat(true);
        FocoEmBotaoPlano(botao);
        CorDeFundo(botao, QColor(240, 240, 240));
    }
    QObject::connect(oCCBtnOK, &QPushButton::clicked, this, [this] { BtnOK(); });
    QObject::connect(oCCBtnCancel, &QPushButton::clicked, this, [this] { BtnCancel(); });
}

Dialogo& Dialogo::Setup(int foco) {
    QPushButton* focado = foco == 1 ? oCCBtnOK : oCCBtnCancel;
    focado->setDefault(true);
    focado->setFocus();
    FocoVisivel(this);
    return *this;
}

void Dialogo::BtnOK() {
    nOpcao = 1;
    EndDialog(nOpcao);
}

void Dialogo::BtnCancel() {
    nOpcao = 2;
    EndDialog(nOpcao);
}

bool AvisoGet(const QString& mensagem, const QString& botao1, const QString& botao2, int foco) {
    const int opcao =
        Caixas::pergunta(dialogos::textos::TituloAtencao, mensagem, foco == 1 ? 1 : 2, [&] {
            Dialogo dialogo;
            dialogo.Setup(foco);
            dialogo.oDCTexto->setText(mensagem);
            if (!botao1.isEmpty())
                dialogo.oCCBtnOK->setText(botao1);
            if (!botao2.isEmpty())
                dialogo.oCCBtnCancel->setText(botao2);
            dialogo.Show();
            return dialogo.nOpcao;
        });
    return opcao == 1;
}
