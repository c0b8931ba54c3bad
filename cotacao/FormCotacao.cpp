#include "cotacao/FormCotacao.h"

#include "cotacao/ListaProdutos.h"
#include "cotacao/RelatorioCotacao.h"
#include "cotacao/Textos.h"
#include "dialogos/Dialogo.h"
#include "formatos/Arquivos.h"
#include "grade/ControleGrade.h"
#include "janelas/Aparencia.h"
#include "janelas/FormEmEspera.h"
#include "janelas/FormObrigado.h"
#include "janelas/Formato.h"
#include "janelas/Textos.h"
#include "janelas/UnidadesDeDialogo.h"
#include "nucleo/Erro.h"
#include "nucleo/ProgramDir.h"
#include "proposta/Textos.h"
#include "remoto/Textos.h"

#include <QDir>
#include <QLayout>
#include <QMenuBar>
#include <QScrollArea>
#include <QStatusBar>
#include <QStyle>
#include <QToolBar>

#include <array>

using namespace cotacao;
using namespace formatos::Arquivos;
using namespace grade;
using namespace proposta;
using namespace janelas;
using namespace nucleo;
using namespace remoto;

namespace {

// A scroll area that asks for the whole of what it holds: the window is as large as the form
// wherever the screen has room for it.
class AreaRolavel : public QScrollArea {
public:
    using QScrollArea::QScrollArea;
    QSize sizeHint() const override {
        const int f = 2 * frameWidth();
        return widget() ? widget()->size() + QSize(f, f) : QScrollArea::sizeHint();
    }
};

} // namespace

FormCotacao::FormCotacao(Rede rede, banco::BancoLocal* banco)
    : m_rede(std::move(rede))
    , m_banco(banco)
    , m_conversa(std::make_unique<ConversaDaJanela>(
          this, m_rede.conexao,
          ConversaDaJanela::Partes{
              [this](bool sim) { m_comandos->setPreenchendo(sim); },
              [this](const QString& texto) { m_comandos->barra().mostraSituacao(texto); }}))
    , m_atendimento(banco) {
    PreInit();
    criaControles();
    criaMenu();
    setWindowTitle(proposta::textos::Titulo);
    ligaProposta();
    acompanhaEdicoes();
}

// The draft is saved while the status bar it tells through is still there.
FormCotacao::~FormCotacao() {
    m_atendimento.encerra();
}

void FormCotacao::PreInit() {
    // The form works in the program directory, as it always has; its files and transfers still
    // name their full paths.
    QDir::setCurrent(PastaDoPrograma());
}

void FormCotacao::criaControles() {
    m_area = new QWidget;
    m_area->setFont(Fonte(QStringLiteral("MS Shell Dlg"), 8));
    m_area->setFixedSize(TelaCotacao::TamanhoInteiro());
    // On a screen smaller than the form the controls scroll into sight instead of lying beyond it.
    m_rolagem = new AreaRolavel(this);
    m_rolagem->setObjectName(QStringLiteral("Rolagem"));
    m_rolagem->setFrameShape(QFrame::NoFrame);
    // No stop of the tab chain between Localizar and the terms.
    m_rolagem->setFocusPolicy(Qt::NoFocus);
    m_rolagem->setWidget(m_area);
    setCentralWidget(m_rolagem);
    m_tela = TelaCotacao::Monta(m_area);
    MListaProdutos.InitAutoObject(m_tela.produtos);
    MListaRelatorios.InitAutoObject(m_tela.relatorios);
    m_comandos =
        std::make_unique<ComandosDaGrade>(this, m_atendimento.proposta(), m_tela.produtos, m_banco);
    QObject::connect(m_tela.produtos, &ControleGrade::CellChange, this,
                     [this](int linha, int coluna) { MListaProdutosCellChange(linha, coluna); });
    // A cell being edited is a change already: leaving asks before it can be lost.
    QObject::connect(m_tela.produtos, &ControleGrade::EditandoCelula, this,
                     [this] { lModificado = true; });
}

void FormCotacao::criaMenu() {
    using namespace cotacao::textos;
    using namespace proposta::textos;
    QMenu* arquivo = menuBar()->addMenu(MenuArquivo);
    arquivo->menuAction()->setObjectName(QStringLiteral("MenuArquivo"));
    QToolBar* barra = addToolBar(BarraArquivo);
    barra->setObjectName(QStringLiteral("BarraArquivo"));
    barra->setIconSize(QSize(32, 32));
    barra->setMovable(false);
    barra->setToolButtonStyle(Qt::ToolButtonIconOnly);
    struct Item {
        QString nome, texto, ajuda, icone;
        std::function<void()> comando;
    };
    const std::array<Item, 3> itens{{
        {QStringLiteral("Enviar"), ComandoEnviar, AjudaEnviar, QStringLiteral(":/arte/enviar.png"),
         [this] { Enviar(); }},
        {QStringLiteral("Imprimir"), ComandoImprimir, AjudaImprimir,
         QStringLiteral(":/arte/imprimir.png"), [this] { Imprimir(); }},
        {QStringLiteral("Sair"), ComandoSair, AjudaSair, QStringLiteral(":/arte/sair.png"),
         [this] { Sair(); }},
    }};
    for (std::size_t i = 0; i < itens.size(); ++i) {
        if (i == 2)
            m_comandos->criaMenus(arquivo); // the spreadsheets, between printing and leaving
        if (i > 0) {
            arquivo->addSeparator();
            barra->addSeparator();
        }
        QAction* acao = arquivo->addAction(QIcon(itens[i].icone), itens[i].texto);
        acao->setObjectName(itens[i].nome);
        acao->setStatusTip(itens[i].ajuda);
        acao->setToolTip(itens[i].ajuda);
        QObject::connect(acao, &QAction::triggered, this, itens[i].comando);
        barra->addAction(acao);
    }
    m_comandos->criaLocalizar(barra);
}

void FormCotacao::ligaProposta() {
    QObject::connect(&m_atendimento.proposta(), &Proposta::termoAlterado, this,
                     [this](const QString& campo, const QString& texto) {
                         if (QLineEdit* e = m_tela.termo(campo); e && e->text() != texto)
                             e->setText(texto);
                         if (campo == m_tela.pedidoMinimo->objectName())
                             m_comandos->atualizaResumo();
                     });
}

void FormCotacao::usaCotacao(formatos::Cotacao cotacao) {
    m_cotacao = std::move(cotacao);
}

void FormCotacao::Setup() {
    cabeEm(janelas::AreaDaTela(this));
    m_atendimento.abre(DestinoDe(m_rede.servidorFtp, cCodCotacao, cCNPJ), std::move(m_cotacao),
                       *m_conversa);
    m_tela.solicitante->setText(proposta().cotacao().solicitante.trimmed());
    m_comandos->setPreenchendo(true);
    IniciaListaProdutos();
    PreencheListaProdutos();
    PreencheDadosEnviados();
    m_comandos->setPreenchendo(false);
    lModificado = m_atendimento.retoma(*m_conversa); // a recovered draft is not sent yet
    m_comandos->inicia(cCodCotacao);
    RegisterTimer(1, true);
}

void FormCotacao::cabeEm(const QRect& tela) {
    // A window that cannot be maximised or resized, at its full size wherever that fits: the
    // usual buttons, the maximise box left out (without the customising hint Qt adds it back).
    const Qt::WindowFlags semMaximizar = Qt::Window | Qt::CustomizeWindowHint |
                                         Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                                         Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint;
    if (windowFlags() != semMaximizar) // changing them hides a window already shown
        setWindowFlags(semMaximizar);
    setMinimumSize(0, 0);
    setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    const auto tamanho = [this](int cedida) {
        m_tela.cedeAltura(m_area, cedida);
        m_rolagem->updateGeometry();
        layout()->invalidate();
        return sizeHint();
    };
    const QSize inteira = tamanho(0);
    const QSize cabe = tela.isEmpty() ? inteira : EspacoParaJanela(this, tela);
    if (inteira.width() > cabe.width() || inteira.height() > cabe.height()) {
        // Smaller: the grid gives up rows, so the remarks, the status bar and its total stay in
        // sight; a form still too wide or too tall scrolls, and the scroll bar takes its room.
        const int barra = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
        const int excesso =
            inteira.height() - cabe.height() + (inteira.width() > cabe.width() ? barra : 0);
        setFixedSize(tamanho(excesso).boundedTo(cabe));
    } else {
        setFixedSize(inteira);
    }
    Centraliza(this, tela);
}

void FormCotacao::IniciaListaProdutos() {
    IniciaProdutos(MListaProdutos);
}

void FormCotacao::PreencheListaProdutos() {
    PreencheProdutos(MListaProdutos, proposta());
}

void FormCotacao::PreencheDadosEnviados() {
    m_atendimento.preencheDadosEnviados(*m_conversa);
}

void FormCotacao::MListaProdutosCellChange(int, int) {
    lModificado = true;
}

void FormCotacao::EditChange(QLineEdit* edit) {
    // The terms only: what is typed in Localizar is no part of the answer.
    if (m_atendimento.proposta().defineTermo(edit->objectName(), edit->text()))
        lModificado = true;
}

void FormCotacao::Timer() {
    MListaProdutos.Refresh();
}

void FormCotacao::fechaEdicao() {
    m_tela.produtos->ConfirmaEdicao();
    m_tela.formataQuantias();
}

void FormCotacao::Enviar() {
    if (enviaResposta())
        EndWindow();
}

void FormCotacao::Sair() {
    EndWindow();
}

bool FormCotacao::QueryClose() {
    if (m_encerrando)
        return true;
    fechaEdicao();
    switch (m_atendimento.saida(lModificado, *m_conversa)) {
    case Atendimento::Saida::Fica:
        return false;
    case Atendimento::Saida::Sai:
        return true;
    case Atendimento::Saida::Envia:
        // A failed sending keeps the form open with everything typed: the message just asked
        // the supplier to try again.
        return enviaResposta();
    }
    return false;
}

bool FormCotacao::enviaResposta() {
    fechaEdicao();
    const DesfechoDoEnvio desfecho = m_atendimento.envia(*m_conversa);
    if (!desfecho.enviada)
        return false;
    if (desfecho.imprimir)
        Imprimir();

    lModificado = false;
    m_encerrando = true;
    setQuitOnClose(false);
    auto* obrigado = new FormObrigado;
    obrigado->setQuitOnClose(true);
    obrigado->Show();
    return true;
}

void FormCotacao::Imprimir() {
    fechaEdicao(); // the report shows what the supplier sees, the cell being edited included
    IniciaListaRelatorios();
    PreencheListaRelatoriosRelCotacaoFinalizada();
    RelCotacaoFinalizada();
}

void FormCotacao::IniciaListaRelatorios() {
    IniciaRelatorio(MListaRelatorios);
}

void FormCotacao::PreencheListaRelatoriosRelCotacaoFinalizada() {
    PreencheRelatorio(MListaRelatorios, proposta());
}

void FormCotacao::RelCotacaoFinalizada() {
    MostraRelatorio(MListaRelatorios, proposta(), cCodCotacao);
}
