#include "janelas/FormObrigado.h"

#include "janelas/Aparencia.h"
#include "janelas/Formato.h"
#include "janelas/ImagemFundo.h"
#include "janelas/Textos.h"
#include "janelas/UnidadesDeDialogo.h"
#include "nucleo/ProgramDir.h"

using namespace janelas;
using namespace nucleo;

FormObrigado::FormObrigado() {
    setFixedSize(UnidadesDeDialogo::x(332), UnidadesDeDialogo::y(127));
    setFont(Fonte(QStringLiteral("MS Shell Dlg"), 8));
    setWindowTitle(janelas::textos::TituloObrigado);

    m_fundo = new ImagemFundo(this);
    m_fundo->setObjectName(QStringLiteral("Fundo"));
    m_fundo->setGeometry(rect());
    m_ok = new QPushButton(janelas::textos::BotaoOk, this);
    m_ok->setObjectName(QStringLiteral("Ok"));
    m_ok->setGeometry(UnidadesDeDialogo::rect(268, 104, 54, 12));
    m_ok->setDefault(true);
    QObject::connect(m_ok, &QPushButton::clicked, this, [this] { OK(); });
    PostInit();
}

void FormObrigado::PostInit() {
    OcultaCaptionBar(this);
    m_fundo->CreateEmbeddingFromFile(ArquivoDoPrograma(QStringLiteral("AvisoCotação.bmp")),
                                     QStringLiteral(":/arte/aviso.png"));
    AplicaFormato(this, {QMargins(2, 2, 2, 5), 10, 255, false});
    Centraliza(this);
}

void FormObrigado::OK() {
    EndWindow();
}
