#include "quotation/FormCotacao.h"

#include "dialogs/Dialogo.h"
#include "grid/ControleGrade.h"
#include "grid/ObjetosGrade.h"
#include "quotation/ColunasGrade.h"
#include "quotation/core/ColunasProdutos.h"
#include "quotation/core/Envio.h"
#include "quotation/core/Rascunho.h"
#include "quotation/core/Textos.h"
#include "quotation/formats/Arquivos.h"
#include "quotation/formats/Numeros.h"
#include "remote/Espera.h"
#include "runtime/core/Ini.h"
#include "runtime/core/ProgramDir.h"
#include "runtime/core/Regional.h"
#include "runtime/ui/Aparencia.h"
#include "runtime/ui/Conectividade.h"
#include "runtime/ui/FormEmEspera.h"
#include "runtime/ui/FormObrigado.h"
#include "runtime/ui/Textos.h"
#include "runtime/ui/UnidadesDeDialogo.h"
#include "store/Recibos.h"

#include <QDir>
#include <QGroupBox>
#include <QMenuBar>
#include <QStatusBar>
#include <QToolBar>

#include <array>

using namespace cotacao;
using namespace formatos;
using namespace grade;
using namespace janelas;
using namespace nucleo;
using namespace remoto;

namespace {

using namespace Arquivos;
const QColor kFaixa(0, 50, 78);

QLabel* texto(QWidget* pai, const QString& legenda, QRect r, const QFont* fonte = nullptr,
              int cor = 0) {
    auto* l = new QLabel(legenda, pai);
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

// An amount field shows what it holds with two decimals and the regional separator.
void formataQuantia(QLineEdit* e) {
    const QString formatado = TextoDeQuantia(e->text());
    if (formatado != e->text())
        e->setText(formatado);
}

// A numeric field of length 12 with 2 decimals: it takes an amount and, once left, shows it
// formatted.
void valor(QLineEdit* e) {
    e->setValidator(formatos::NovoValidadorDeValor(e));
    e->setMaxLength(12);
    e->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    QObject::connect(e, &QLineEdit::editingFinished, e, [e] { formataQuantia(e); });
}

// A frame drawn around fields: it stays behind them, or it would take their mouse clicks.
void moldura(QWidget* pai, const QString& titulo, QRect r) {
    auto* caixa = new QGroupBox(titulo, pai);
    caixa->setGeometry(r);
    caixa->lower();
}

// A text that goes into one cell of a tab-separated row.
QString semTab(const QString& t) {
    return QString(t).replace(u'\t', u' ');
}

// What the sending says and asks, in boxes over the form.
class Conversa : public Interlocutor {
public:
    using Pergunta = std::function<bool(const QString& texto, bool padraoSim)>;
    using Aviso = std::function<void(const QString& texto)>;
    Conversa(QWidget* janela, Pergunta pergunta, Aviso aviso, remoto::TesteConexao conexao)
        : m_janela(janela)
        , m_pergunta(std::move(pergunta))
        , m_aviso(std::move(aviso))
        , m_conexao(std::move(conexao)) {}

    bool pergunta(const QString& texto, bool padraoSim) override {
        return m_pergunta(texto, padraoSim);
    }
    void avisa(const QString& texto) override { m_aviso(texto); }
    void avisaGravacao(const QString& antes, FalhaGravacao falha, const QString& pasta) override {
        const QString motivo = janelas::textos::FalhaDeGravacao(falha, pasta);
        m_aviso(antes.isEmpty() ? motivo : antes + u' ' + motivo);
    }
    void aguarda(const QString& texto, const std::function<void()>& trabalho) override {
        const AvisoEmEspera aviso(texto);
        trabalho();
    }
    bool conectado() override {
        return ConectadoOuAvisa(m_janela, [this] { return VerificaConexaoInternet(m_conexao); });
    }

private:
    QWidget* m_janela;
    Pergunta m_pergunta;
    Aviso m_aviso;
    remoto::TesteConexao m_conexao;
};

Campo campoDaColuna(int coluna) {
    return coluna == kColunaPreco ? Campo::Preco : Campo::Observacao;
}

} // namespace

FormCotacao::FormCotacao(Rede rede, banco::BancoLocal* banco)
    : m_rede(std::move(rede))
    , m_banco(banco) {
    PreInit();
    RegistraClassesDaGrade();
    criaControles();
    criaMenu();
    setWindowTitle(cotacao::textos::Titulo);
    ligaProposta();
    acompanhaEdicoes();
}

FormCotacao::~FormCotacao() = default;

void FormCotacao::PreInit() {
    // The form works in the program directory, as it always has; its files and transfers still
    // name their full paths.
    QDir::setCurrent(PastaDoPrograma());
}

void FormCotacao::criaControles() {
    auto* area = new QWidget(this);
    area->setFont(Fonte(QStringLiteral("MS Shell Dlg"), 8));
    area->setFixedSize(UnidadesDeDialogo::x(616), UnidadesDeDialogo::y(361));
    setCentralWidget(area);
    using UnidadesDeDialogo::rect;
    const QFont pequena = Fonte(QStringLiteral("Microsoft Sans Serif"), 7);
    const QFont normal = Fonte(QStringLiteral("Microsoft Sans Serif"), 8);
    const QFont negrito = Fonte(QStringLiteral("Microsoft Sans Serif"), 8, true);

    m_formaPgto = campo(area, "MFormaPgto", QStringLiteral("Forma de pgto"), rect(72, 9, 53, 13));
    m_prazoEntrega =
        campo(area, "MPrazoEntrega", QStringLiteral("Prazo de entrega"), rect(72, 25, 53, 13));
    m_pedidoMinimo =
        campo(area, "MPedidoMinimo", QStringLiteral("Pedido mínimo"), rect(72, 41, 53, 13));
    m_valorFrete =
        campo(area, "MValorFrete", QStringLiteral("Valor do frete"), rect(72, 57, 53, 13));
    valor(m_pedidoMinimo);
    valor(m_valorFrete);
    moldura(area, QString(), rect(4, 79, 611, 246));
    moldura(area, QStringLiteral("Observações do fornecedor:"), rect(4, 331, 611, 29));
    texto(area, QStringLiteral("Forma de pgto:"), rect(10, 11, 51, 9));
    texto(area, QStringLiteral("Prazo de entrega:"), rect(10, 27, 60, 8));
    moldura(area, QStringLiteral("Dados gerais:"), rect(4, 0, 242, 75));
    texto(area, QStringLiteral("* colocar em dias. Ex1: 30 Ex2: 30/60/90"), rect(129, 11, 112, 11),
          &pequena, 4);
    texto(area, QStringLiteral("* colocar em dias Ex: 30"), rect(129, 28, 76, 8), &pequena, 4);

    // The dark band behind the notes lies below them.
    QLabel* faixa = texto(area, QString(), rect(372, 28, 242, 48));
    CorDeFundo(faixa, kFaixa);
    faixa->lower();
    texto(area,
          QStringLiteral("1 - Os valores devem ser inseridos com a ST inclusa quando houver."),
          rect(384, 40, 229, 12), &normal, 6);
    texto(area, QStringLiteral("2 - Os valores devem ser por unidade ou kilo do produto."),
          rect(384, 52, 188, 12), &normal, 6);
    texto(area, QStringLiteral("ATENÇÃO"), rect(469, 29, 52, 11), &negrito, 6);
    texto(area, QStringLiteral("Pedido mínimo:"), rect(10, 43, 51, 9));
    texto(area, QStringLiteral("Valor do frete:"), rect(10, 59, 51, 9));
    texto(area, QStringLiteral("* em reais"), rect(129, 44, 76, 8), &pequena, 4);
    texto(area, QStringLiteral("* em reais"), rect(129, 59, 76, 9), &pequena, 4);
    texto(area, QStringLiteral("3 - Preencha todos os campos antes de enviar a cotação."),
          rect(384, 64, 188, 12), &normal, 6);
    moldura(area, QStringLiteral("Solicitante:"), rect(251, 0, 364, 24));
    m_solicitante =
        texto(area, QStringLiteral("Nome do estabelecimento"), rect(258, 10, 316, 10), &negrito, 1);
    m_solicitante->setObjectName(QStringLiteral("MSolicitante"));
    m_observacoes = campo(area, "MObservacoes", QStringLiteral("Observações do fornecedor"),
                          rect(10, 342, 599, 12));

    m_produtos = new ControleGrade(area);
    m_produtos->setObjectName(QStringLiteral("MListaProdutos"));
    m_produtos->setGeometry(rect(10, 89, 599, 229));
    m_produtos->setFocusPolicy(Qt::ClickFocus);
    m_produtos->setAccessibleName(QStringLiteral("Produtos da cotação"));
    // Ranges of cells, for copying and for one value pasted into many.
    m_produtos->setSelectionMode(QAbstractItemView::ContiguousSelection);
    m_relatorios = new ControleGrade(area);
    m_relatorios->setObjectName(QStringLiteral("MListaRelatorios"));
    m_relatorios->setGeometry(rect(390, 112, 202, 128));
    m_relatorios->hide();
    MListaProdutos.InitAutoObject(m_produtos);
    MListaRelatorios.InitAutoObject(m_relatorios);
    m_produtos->modelo()->setValidadorNumerico(formatos::NovoValidadorDeValor);
    QObject::connect(m_produtos, &ControleGrade::CellChange, this,
                     [this](int linha, int coluna) { MListaProdutosCellChange(linha, coluna); });
    // A cell being edited is a change already: leaving asks before it can be lost.
    QObject::connect(m_produtos, &ControleGrade::EditandoCelula, this,
                     [this] { lModificado = true; });

    setTabOrder(m_formaPgto, m_prazoEntrega);
    setTabOrder(m_prazoEntrega, m_pedidoMinimo);
    setTabOrder(m_pedidoMinimo, m_valorFrete);
    setTabOrder(m_valorFrete, m_observacoes);
}

void FormCotacao::criaMenu() {
    using namespace cotacao::textos;
    QMenu* arquivo = menuBar()->addMenu(QStringLiteral("&Arquivo"));
    QToolBar* barra = addToolBar(QStringLiteral("Arquivo"));
    barra->setIconSize(QSize(32, 32));
    barra->setMovable(false);
    barra->setToolButtonStyle(Qt::ToolButtonIconOnly);
    struct Item {
        QString texto, ajuda, icone;
        std::function<void()> comando;
    };
    const std::array<Item, 3> itens{{
        {QStringLiteral("&Enviar"), AjudaEnviar, QStringLiteral(":/arte/enviar.png"),
         [this] { Enviar(); }},
        {QStringLiteral("&Imprimir"), AjudaImprimir, QStringLiteral(":/arte/imprimir.png"),
         [this] { Imprimir(); }},
        {QStringLiteral("Sai&r"), AjudaSair, QStringLiteral(":/arte/sair.png"), [this] { Sair(); }},
    }};
    for (std::size_t i = 0; i < itens.size(); ++i) {
        if (i == 2)
            criaComandos(arquivo); // the spreadsheets, between printing and leaving
        if (i > 0) {
            arquivo->addSeparator();
            barra->addSeparator();
        }
        QAction* acao = arquivo->addAction(QIcon(itens[i].icone), itens[i].texto);
        acao->setStatusTip(itens[i].ajuda);
        acao->setToolTip(itens[i].ajuda);
        QObject::connect(acao, &QAction::triggered, this, itens[i].comando);
        barra->addAction(acao);
    }
    criaLocalizar(barra);
    m_situacao = new QLabel(this);
    m_situacao->setObjectName(QStringLiteral("Situacao"));
    statusBar()->addWidget(m_situacao, 1);
    statusBar()->addPermanentWidget(m_espaco);
    m_espaco->hide();
    statusBar()->addPermanentWidget(m_resumoMostrado);
}

QString FormCotacao::arquivoCotacao() const {
    return ArquivoDoPrograma(NomeCotacao(cCodCotacao));
}

QString FormCotacao::nomeResposta() const {
    return NomeResposta(cCodCotacao, cCNPJ);
}

void FormCotacao::ligaProposta() {
    m_produtos->modelo()->setGravador(
        {kColunaPreco, kColunaObs}, [this](const QList<AlteracaoDeCelula>& celulas) {
            QList<Alteracao> alteracoes;
            alteracoes.reserve(celulas.size());
            for (const AlteracaoDeCelula& c : celulas)
                alteracoes.append({c.linha - 1, campoDaColuna(c.coluna), c.antes, c.depois});
            m_proposta.altera(alteracoes);
        });
    QObject::connect(&m_proposta, &Proposta::alterada, this,
                     [this](const QList<Alteracao>& feitas) { mostra(feitas); });
    QObject::connect(&m_proposta, &Proposta::termoAlterado, this,
                     [this](const QString& campo, const QString& texto) {
                         if (QLineEdit* e = campoDoTermo(campo); e && e->text() != texto)
                             e->setText(texto);
                         if (campo == m_pedidoMinimo->objectName())
                             atualizaResumo();
                     });
}

void FormCotacao::UsaCotacao(formatos::Cotacao cotacao) {
    m_cotacao = std::move(cotacao);
    m_cotacaoLida = true;
}

void FormCotacao::Setup() {
    setWindowFlag(Qt::WindowMaximizeButtonHint, false);
    setFixedSize(sizeHint()); // a window that cannot be maximised or resized
    // The quotation file is read once; a missing one reads as an empty quotation.
    if (!m_cotacaoLida)
        formatos::LeCotacao(arquivoCotacao(), m_cotacao);
    m_proposta.inicia(std::move(m_cotacao)); // the answer keeps the quotation from now on
    m_solicitante->setText(m_proposta.cotacao().solicitante.trimmed());
    if (m_banco && m_banco->aberto())
        m_recibo = banco::Recibos(*m_banco).ultimo(cCodCotacao, cCNPJ);
    m_preenchendo = true;
    IniciaListaProdutos();
    PreencheListaProdutos();
    PreencheDadosEnviados();
    m_preenchendo = false;
    lModificado = false;
    iniciaComandos();
    iniciaRascunho();
    avisaBanco();
    ofereceRascunho(mostraUltimoEnvio());
    m_rascunho->acompanha(m_proposta);
    RegisterTimer(1, true);
}

void FormCotacao::IniciaListaProdutos() {
    FlexCell& g = MListaProdutos;
    g.BackColorBkg(CorOle(255, 255, 255));
    g.DisplayFocusRect(false);
    g.SelectionMode(3);
    g.DisplayRowIndex(false);
    g.Cols(8);
    g.AllowUserResizing(false);
    g.AllowUserReorderColumn(false);
    g.ExtendLastCol(true);
    g.Rows(1);
    static const ColunaGrade colunas[] = {
        {u"", 0, Alinhamento::Esquerda, true, false},
        {u"PLU", 40, Alinhamento::Esquerda, true, false},
        {u"Cód. de barras", 90, Alinhamento::Esquerda, true, false},
        {u"Descrição", 340, Alinhamento::Esquerda, true, false},
        {u"Qtde.", 60, Alinhamento::Direita, true, true},
        {u"Unid.", 40, Alinhamento::Centro, true, false},
        {u"Preço R$", 60, Alinhamento::Direita, false, true},
        {u"Observações do produto", 200, Alinhamento::Esquerda, false, false}};
    AplicaColunas(g, colunas);
}

void FormCotacao::PreencheListaProdutos() {
    const QChar tab = u'\t';
    for (const formatos::Produto& p : m_proposta.cotacao().produtos) {
        const QString linha = semTab(p.plu) + tab + semTab(p.codigoBarras) + tab +
                              semTab(p.descricao) + tab + semTab(p.quantidade) + tab +
                              semTab(p.unidade) + tab + kValorZero;
        MListaProdutos.AddItem_(linha, false);
    }
    MListaProdutos.Refresh();
}

void FormCotacao::PreencheDadosEnviados() {
    using namespace Servidor;
    using Origem = cotacao::RespostaAnterior::Origem;
    const QString caminho = ArquivoDoPrograma(nomeResposta());
    {
        const AvisoEmEspera aviso(janelas::textos::Conectando);
        m_anterior = cotacao::BaixaRespostaAnterior(
            {m_rede.servidorFtp, Usuario, Senha, Diretorio, nomeResposta(), caminho, {}}, m_recibo);
    }
    // Unknown is not empty: the form opens empty, and sending asks first (EnviaResposta).
    if (m_anterior.origem == Origem::Nenhuma || m_anterior.origem == Origem::Ilegivel)
        return;
    if (m_anterior.origem == Origem::Diferente &&
        AvisoGet(cotacao::textos::RespostaDiferente.arg(DateToText(m_recibo->quando.date()),
                                                        m_recibo->quando.time().toString(u"HH:mm")),
                 cotacao::textos::Sim, cotacao::textos::Nao, 1)) {
        const nucleo::FalhaGravacao falha = cotacao::RestauraCopia(m_anterior, caminho);
        if (falha != nucleo::FalhaGravacao::Nenhuma)
            WarningMessage(janelas::textos::FalhaDeGravacao(falha, PastaDoPrograma()));
    }
    nucleo::ArquivoIni arquivo, config;
    arquivo.carrega(caminho);
    config.carrega(ArquivoDoPrograma(Config));
    formatos::Resposta resposta = formatos::LeResposta(arquivo);
    resposta.termos = formatos::TermosDoFormulario(resposta.termos, config);
    m_proposta.carregaResposta(resposta);
}

void FormCotacao::MListaProdutosCellChange(int, int) {
    lModificado = true;
}

void FormCotacao::EditChange(QLineEdit* edit) {
    lModificado = true;
    m_proposta.defineTermo(edit->objectName(), edit->text());
}

void FormCotacao::Timer() {
    MListaProdutos.Refresh();
}

QLineEdit* FormCotacao::campoDoTermo(const QString& nome) const {
    for (QLineEdit* e : {m_observacoes, m_prazoEntrega, m_formaPgto, m_pedidoMinimo, m_valorFrete})
        if (e->objectName() == nome)
            return e;
    return nullptr;
}

void FormCotacao::iniciaRascunho() {
    const auto falha = [this](const QString& erro) {
        m_situacao->setText(erro.isEmpty() ? QString() : cotacao::textos::RascunhoFalhou.arg(erro));
    };
    m_rascunho = std::make_unique<cotacao::Rascunho>(m_banco, cCodCotacao, cCNPJ, falha);
}

void FormCotacao::avisaBanco() {
    using namespace cotacao::textos;
    if (!m_banco)
        return;
    using Problema = banco::BancoLocal::Problema;
    const bool aberto = m_banco->aberto();
    const QString arquivo = QDir::toNativeSeparators(m_banco->caminho());
    if (!m_banco->movidoPara().isEmpty()) {
        WarningMessage(
            BancoDanificado.arg(arquivo, QDir::toNativeSeparators(m_banco->movidoPara())));
        m_banco->esqueceMovido();
    }
    if (aberto)
        return;
    const Problema problema = m_banco->problema();
    const QString motivo = problema == Problema::VersaoNova ? BancoVersaoNova.arg(arquivo)
                           : problema == Problema::Danificado
                               ? BancoDanificadoPreso.arg(arquivo, m_banco->erro())
                               : BancoNaoAbre.arg(arquivo, m_banco->erro());
    WarningMessage(RascunhosIndisponiveis.arg(motivo));
}

std::optional<QDateTime> FormCotacao::mostraUltimoEnvio() {
    using Origem = cotacao::RespostaAnterior::Origem;
    if (m_anterior.origem == Origem::Ilegivel) {
        m_situacao->setText(cotacao::textos::RespostaIlegivel);
    } else if (m_recibo) {
        const QString& texto = m_anterior.origem == Origem::CopiaLocal
                                   ? cotacao::textos::CarregadaDaqui
                                   : cotacao::textos::UltimoEnvio;
        m_situacao->setText(texto.arg(DateToText(m_recibo->quando.date()),
                                      m_recibo->quando.time().toString(u"HH:mm")));
    }
    return m_recibo ? std::optional(m_recibo->quando) : std::nullopt;
}

void FormCotacao::ofereceRascunho(const std::optional<QDateTime>& ultimoEnvio) {
    const auto quando = m_rascunho->alteradoEm();
    if (!quando)
        return;
    // A draft older than the last sending from here was sent after all.
    if (ultimoEnvio && *ultimoEnvio >= *quando) {
        m_rascunho->descarta();
        return;
    }
    const QString pergunta = cotacao::textos::RecuperarRascunho.arg(
        DateToText(quando->date()), quando->time().toString(u"HH:mm"));
    if (!AvisoGet(pergunta, cotacao::textos::Sim, cotacao::textos::Nao, 1)) {
        m_rascunho->descarta();
        return;
    }
    m_preenchendo = true;
    m_rascunho->recupera(m_proposta);
    m_preenchendo = false;
    atualizaResumo();
    atualizaEspaco();
    lModificado = true; // what was recovered is not sent yet
}

void FormCotacao::fechaEdicao() {
    m_produtos->ConfirmaEdicao();
    formataQuantia(m_pedidoMinimo);
    formataQuantia(m_valorFrete);
}

void FormCotacao::Enviar() {
    if (EnviaResposta())
        EndWindow();
}

void FormCotacao::Sair() {
    EndWindow();
}

bool FormCotacao::QueryClose() {
    if (m_encerrando)
        return true;
    fechaEdicao();
    if (!lModificado) {
        m_rascunho->guardaAgora();
        return true;
    }
    if (!AvisoGet(cotacao::textos::PerguntaSair, cotacao::textos::Sim, cotacao::textos::Nao, 1)) {
        // "Não" is not final: the draft keeps what was typed for the next login. Where it
        // cannot, leaving loses it, and the window stays unless the supplier says otherwise.
        if (m_rascunho->guardaAgora())
            return true;
        return pergunta(cotacao::textos::RascunhoNaoGuardadoAoSair.arg(m_banco->erro()),
                        cotacao::textos::Sim, cotacao::textos::Nao, false);
    }
    // A failed sending keeps the form open with everything typed: the message just asked the
    // supplier to try again.
    return EnviaResposta();
}

bool FormCotacao::EnviaResposta() {
    fechaEdicao();
    using namespace Servidor;
    const DestinoDoEnvio destino{{m_rede.servidorFtp,
                                  Usuario,
                                  Senha,
                                  Diretorio,
                                  nomeResposta(),
                                  ArquivoDoPrograma(nomeResposta()),
                                  {}},
                                 ArquivoDoPrograma(Config),
                                 cCodCotacao,
                                 cCNPJ};
    // A question that defaults to "Sim" is the program's usual box; one that defaults to "Não"
    // needs its own.
    Conversa conversa(
        this,
        [this](const QString& texto, bool padraoSim) {
            using namespace cotacao::textos;
            return padraoSim ? AvisoGet(texto, Sim, Nao, 1) : pergunta(texto, Sim, Nao, false);
        },
        [this](const QString& texto) { WarningMessage(texto); }, m_rede.conexao);
    const DesfechoDoEnvio desfecho =
        Envia(m_proposta, destino, m_anterior.origem, m_banco, m_rascunho.get(), conversa);
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
