#include "login/FormLogin.h"

#include "formatos/Arquivos.h"
#include "janelas/Aparencia.h"
#include "janelas/Conectividade.h"
#include "janelas/FormEmEspera.h"
#include "janelas/FormObrigado.h"
#include "janelas/Formato.h"
#include "janelas/GravacaoComAviso.h"
#include "janelas/ImagemFundo.h"
#include "janelas/Textos.h"
#include "janelas/UnidadesDeDialogo.h"
#include "login/FormMinhasCotacoes.h"
#include "login/Textos.h"
#include "nucleo/Ini.h"
#include "nucleo/ProgramDir.h"
#include "nucleo/Versao.h"

#include <QApplication>
#include <QCompleter>
#include <QDesktopServices>
#include <QRegularExpressionValidator>
#include <QScrollArea>
#include <QShortcut>
#include <QStringListModel>
#include <QStyle>
#include <QTimer>
#include <QUrl>
#include <QVBoxLayout>

using namespace acesso;
using namespace formatos;
using namespace janelas;
using namespace nucleo;
using namespace remoto;

FormLogin::FormLogin(Rede rede, AbreCotacao abreCotacao, banco::BancoLocal* banco,
                     ImprimeResposta imprimeResposta)
    : m_rede(std::move(rede))
    , m_abreCotacao(std::move(abreCotacao))
    , m_banco(banco)
    , m_imprimeResposta(std::move(imprimeResposta)) {
    setFixedSize(UnidadesDeDialogo::x(494), UnidadesDeDialogo::y(232));
    setFont(Fonte(QStringLiteral("MS Shell Dlg"), 8));

    // The picture lies behind everything; the controls come in the order of the tab chain.
    m_fundo = new ImagemFundo(this);
    m_fundo->setObjectName(QStringLiteral("Fundo"));
    m_fundo->setGeometry(rect());

    m_cnpj = campo("MCNPJ", login::textos::NomeCNPJ, UnidadesDeDialogo::rect(15, 175, 91, 11));
    m_cnpj->setInputMask(QStringLiteral("99.999.999/9999-99"));
    m_codCotacao =
        campo("MCodCotacao", login::textos::NomeCodigo, UnidadesDeDialogo::rect(118, 175, 95, 11));
    m_codCotacao->setMaxLength(16);
    m_senha = campo("MSenha", login::textos::NomeSenha, UnidadesDeDialogo::rect(222, 175, 94, 11));
    m_senha->setMaxLength(8);
    m_senha->setEchoMode(QLineEdit::Password);
    m_senha->setFont(Fonte(QStringLiteral("Microsoft Sans Serif"), 10, true));

    m_ok = new QPushButton(login::textos::BotaoOk, this);
    m_ok->setObjectName(QStringLiteral("Ok"));
    m_ok->setGeometry(UnidadesDeDialogo::rect(321, 173, 65, 14));
    m_ok->setDefault(true);
    m_sair = new QPushButton(login::textos::BotaoSair, this);
    m_sair->setObjectName(QStringLiteral("Sair"));
    m_sair->setGeometry(UnidadesDeDialogo::rect(321, 190, 65, 12));
    m_sair->setAutoDefault(false);

    m_versao = new QLabel(this);
    m_versao->setObjectName(QStringLiteral("MVersao"));
    m_versao->setGeometry(UnidadesDeDialogo::rect(86, 69, 54, 12));
    m_versao->setFont(Fonte(QStringLiteral("Microsoft Sans Serif"), 12, true));
    CorDoTexto(m_versao, CorPredefinida(6));

    m_videoAula = new QPushButton(login::textos::BotaoVideoAula, this);
    m_videoAula->setObjectName(QStringLiteral("VideoAula"));
    m_videoAula->setGeometry(UnidadesDeDialogo::rect(9, 9, 60, 54));
    m_videoAula->setAutoDefault(false);

    m_minhasCotacoes = new QPushButton(login::textos::MinhasCotacoes, this);
    m_minhasCotacoes->setObjectName(QStringLiteral("MinhasCotacoes"));
    m_minhasCotacoes->setGeometry(UnidadesDeDialogo::rect(392, 173, 92, 14));
    m_minhasCotacoes->setAutoDefault(false);
    m_minhasCotacoes->setAccessibleName(login::textos::TituloMinhasCotacoes);
    m_minhasCotacoes->setStatusTip(login::textos::AjudaMinhasCotacoes);
    m_minhasCotacoes->setToolTip(login::textos::AjudaMinhasCotacoes);
    m_minhasCotacoes->setVisible(m_banco != nullptr);
    auto* f3 = new QShortcut(QKeySequence(Qt::Key_F3), this);
    QObject::connect(f3, &QShortcut::activated, this, [this] { abreMinhasCotacoes(); });
    QObject::connect(m_minhasCotacoes, &QPushButton::clicked, this,
                     [this] { abreMinhasCotacoes(); });

    QObject::connect(m_ok, &QPushButton::clicked, this, [this] { OK(); });
    QObject::connect(m_sair, &QPushButton::clicked, this, [this] { Sair(); });
    QObject::connect(m_videoAula, &QPushButton::clicked, this, [this] { VideoAula(); });
    ordemDeTab();

    setWindowTitle(login::textos::TituloLogin);
    PostInit();
}

void FormLogin::ordemDeTab() {
    setTabOrder(m_cnpj, m_codCotacao);
    setTabOrder(m_codCotacao, m_senha);
    setTabOrder(m_senha, m_ok);
    setTabOrder(m_ok, m_sair);
    setTabOrder(m_sair, m_minhasCotacoes);
    setTabOrder(m_minhasCotacoes, m_videoAula);
}

void FormLogin::cabeEm(const QRect& area) {
    if (area.isEmpty())
        return;
    const QSize espaco = EspacoParaJanela(this, area);
    if (width() <= espaco.width() && height() <= espaco.height())
        return;
    // Two pixels less each way: at a fractional scale (150 %) the window's place and size round
    // to the screen's pixels, each up to one beyond the edge.
    const QSize cabe = espaco.shrunkBy({0, 0, 2, 2});
    // The picture and the controls keep their places on a panel of the form's whole size, which
    // scrolls inside the window (to the field the focus goes to, too).
    auto* painel = new QWidget;
    painel->setObjectName(QStringLiteral("Painel"));
    painel->setFixedSize(size());
    for (QWidget* filho : findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        const bool oculto = filho->isHidden();
        filho->setParent(painel);
        filho->setVisible(!oculto);
    }
    auto* rolagem = new QScrollArea(this);
    rolagem->setObjectName(QStringLiteral("Rolagem"));
    rolagem->setFrameShape(QFrame::NoFrame);
    rolagem->setFocusPolicy(Qt::NoFocus); // not a stop of the tab chain
    rolagem->setWidget(painel);
    // The scroll bar of one direction takes room of the other: given back where the screen has
    // it, so that a form cut only in width does not scroll in height too.
    const int barra = rolagem->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, rolagem);
    const QSize inteira = size();
    QSize tamanho = inteira.boundedTo(cabe);
    if (tamanho.width() < inteira.width())
        tamanho.rheight() = std::min(inteira.height() + barra, cabe.height());
    if (tamanho.height() < inteira.height())
        tamanho.rwidth() = std::min(inteira.width() + barra, cabe.width());
    setFixedSize(tamanho);
    auto* disposicao = new QVBoxLayout(this);
    disposicao->setContentsMargins(0, 0, 0, 0);
    disposicao->addWidget(rolagem);
    ordemDeTab(); // a widget moved to another parent leaves the chain
    // The field the focus goes to, by Tab, by a click or by the program, comes into sight.
    QObject::connect(qApp, &QApplication::focusChanged, rolagem,
                     [rolagem, painel](QWidget*, QWidget* novo) {
                         if (!novo || !painel->isAncestorOf(novo))
                             return;
                         // The whole field, not only its text cursor (ensureWidgetVisible's).
                         const QRect r(novo->mapTo(painel, QPoint(0, 0)), novo->size());
                         rolagem->ensureVisible(r.center().x(), r.center().y(), r.width() / 2 + 8,
                                                r.height() / 2 + 8);
                     });
}

QLineEdit* FormLogin::campo(const char* nome, const QString& rotulo, QRect retangulo) {
    auto* edit = new QLineEdit(this);
    edit->setObjectName(QString::fromLatin1(nome));
    edit->setAccessibleName(rotulo);
    edit->setGeometry(retangulo);
    edit->setFrame(false);
    edit->setAlignment(Qt::AlignCenter);
    // Digits only, typed or pasted.
    edit->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), edit));
    return edit;
}

void FormLogin::PostInit() {
    OcultaCaptionBar(this);
    cabeEm(AreaDaTela(this));
    m_fundo->CreateEmbeddingFromFile(ArquivoDoPrograma(QStringLiteral("EntradaCotação.bmp")),
                                     QStringLiteral(":/arte/entrada.png"));
    m_versao->setText(nucleo::VersaoExibida);
    AplicaFormato(this, {QMargins(5, 5, 5, 5), 20, 255, false});
    Centraliza(this);
    m_cnpj->setFocus();
}

void FormLogin::Setup() {
    // The database is read once the window shows, not before.
    if (m_banco)
        QTimer::singleShot(0, this, [this] { carregaNumerosRecentes(); });
    QString cnpj;
    GetFileIni(Arquivos::Secao, Arquivos::Local::CNPJ, QString(),
               ArquivoDoPrograma(Arquivos::Config), cnpj);
    if (cnpj.trimmed().isEmpty()) {
        m_cnpj->setFocus();
        return;
    }
    m_cnpj->setText(cnpj);
    m_codCotacao->setFocus();
}

void FormLogin::OK() {
    // A refusal was told through the conversation, and the focus sent back to its field.
    auto entrada = acesso::Entra({MCodCotacao(), MSenha(), MCNPJ()}, m_rede.servidorFtp, *this);
    if (!entrada)
        return;
    // A CNPJ that could not be kept for the next login was told in the write error's box, which
    // the supplier passed over: the login goes on.
    static_cast<void>(GravaIni(Arquivos::Secao, Arquivos::Local::CNPJ, MCNPJ(),
                               ArquivoDoPrograma(Arquivos::Config)));
    if (m_abreCotacao)
        m_abreCotacao(entrada->codigo, entrada->cnpjDigitos, std::move(entrada->cotacao));
    setQuitOnClose(false);
    EndWindow();
}

void FormLogin::recusa(const QString& texto, std::optional<acesso::Campo> campo) {
    WarningMessage(texto);
    if (!campo)
        return;
    switch (*campo) {
    case acesso::Campo::Codigo:
        m_codCotacao->setFocus();
        break;
    case acesso::Campo::Senha:
        m_senha->setFocus();
        m_senha->selectAll(); // typing the right one replaces the wrong digits
        break;
    case acesso::Campo::CNPJ:
        m_cnpj->setFocus();
        break;
    }
}

bool FormLogin::conectado() {
    return janelas::ConectadoOuAvisa(this,
                                     [this] { return VerificaConexaoInternet(m_rede.conexao); });
}

void FormLogin::aguarda(const QString& texto, const std::function<void()>& trabalho) {
    const AvisoEmEspera aviso(texto);
    trabalho();
}

void FormLogin::Sair() {
    setQuitOnClose(false);
    EndWindow();
    auto* obrigado = new FormObrigado;
    obrigado->setQuitOnClose(true);
    obrigado->Show();
}

void FormLogin::VideoAula() {
    QDesktopServices::openUrl(QUrl(login::textos::EnderecoVideoAula));
}

void FormLogin::carregaNumerosRecentes() {
    auto* completer = m_codCotacao->completer();
    if (!completer) {
        completer = new QCompleter(m_codCotacao);
        completer->setModel(new QStringListModel(completer));
        completer->setObjectName(QStringLiteral("NumerosRecentes"));
        // Every number holding what was typed, newest first: the last digits find it too.
        completer->setFilterMode(Qt::MatchContains);
        completer->setModelSorting(QCompleter::UnsortedModel);
        completer->setCompletionMode(QCompleter::PopupCompletion);
        m_codCotacao->setCompleter(completer);
    }
    static_cast<QStringListModel*>(completer->model())->setStringList(NumerosRecentes(*m_banco));
}

void FormLogin::abreMinhasCotacoes() {
    if (!m_banco)
        return;
    auto* lista = new login::FormMinhasCotacoes(
        this, *m_banco,
        [this](const QString& numero) {
            m_codCotacao->setText(numero);
            m_senha->setFocus();
        },
        m_imprimeResposta);
    // Back to the login when the list closes, chosen or not; later, as the list also goes when
    // the login itself is being destroyed.
    QObject::connect(lista, &QObject::destroyed, this,
                     [this] { QTimer::singleShot(0, this, [this] { activateWindow(); }); });
    lista->Show();
}
