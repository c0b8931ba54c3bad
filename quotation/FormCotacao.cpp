#include "quotation/FormCotacao.h"

#include "access/FormEmEspera.h"
#include "access/FormObrigado.h"
#include "dialogs/Dialogo.h"
#include "grid/ControleGrade.h"
#include "grid/ObjetosGrade.h"
#include "quotation/ColunasGrade.h"
#include "quotation/Textos.h"
#include "quotation/formats/Arquivos.h"
#include "quotation/formats/Lista.h"
#include "quotation/formats/Numeros.h"
#include "remote/Ftp.h"
#include "remote/Ini.h"
#include "runtime/Aparencia.h"
#include "runtime/DialogUnits.h"
#include "runtime/ProgramDir.h"
#include "runtime/Regional.h"

#include <QDir>
#include <QGroupBox>
#include <QMenuBar>
#include <QStatusBar>
#include <QToolBar>

#include <array>

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

QLineEdit* campo(QWidget* pai, const char* nome, QRect r) {
    auto* e = new QLineEdit(pai);
    e->setObjectName(QString::fromLatin1(nome));
    e->setAccessibleName(QString::fromLatin1(nome));
    e->setGeometry(r);
    return e;
}

// A numeric field of length 12 with 2 decimals.
void valor(QLineEdit* e) {
    e->setValidator(NovoValidadorDeValor(e));
    e->setMaxLength(12);
    e->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
}

// A text that goes into one cell of a tab-separated row.
// A frame drawn around fields: it stays behind them, or it would take their mouse clicks.
void moldura(QWidget* pai, const QString& titulo, QRect r) {
    auto* caixa = new QGroupBox(titulo, pai);
    caixa->setGeometry(r);
    caixa->lower();
}

QString semTab(QStringView t) {
    return t.toString().replace(u'\t', u' ');
}

} // namespace

FormCotacao::FormCotacao(Rede rede)
    : m_rede(std::move(rede)) {
    PreInit();
    RegistraClassesDaGrade();
    criaControles();
    criaMenu();
    setWindowTitle(TextosCotacao::Titulo);
    watchEditChanges();
}

void FormCotacao::PreInit() {
    // The files of the quotation live in the program directory; transfers use the current one.
    QDir::setCurrent(programDir());
}

void FormCotacao::criaControles() {
    auto* area = new QWidget(this);
    area->setFont(Fonte(QStringLiteral("MS Shell Dlg"), 8));
    area->setFixedSize(DialogUnits::x(616), DialogUnits::y(361));
    setCentralWidget(area);
    using DialogUnits::rect;
    const QFont pequena = Fonte(QStringLiteral("Microsoft Sans Serif"), 7);
    const QFont normal = Fonte(QStringLiteral("Microsoft Sans Serif"), 8);
    const QFont negrito = Fonte(QStringLiteral("Microsoft Sans Serif"), 8, true);

    m_formaPgto = campo(area, "MFormaPgto", rect(72, 9, 53, 13));
    m_prazoEntrega = campo(area, "MPrazoEntrega", rect(72, 25, 53, 13));
    m_pedidoMinimo = campo(area, "MPedidoMinimo", rect(72, 41, 53, 13));
    m_valorFrete = campo(area, "MValorFrete", rect(72, 57, 53, 13));
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
    m_observacoes = campo(area, "MObservacoes", rect(10, 342, 599, 12));

    m_produtos = new ControleGrade(area);
    m_produtos->setObjectName(QStringLiteral("MListaProdutos"));
    m_produtos->setGeometry(rect(10, 89, 599, 229));
    m_produtos->setFocusPolicy(Qt::ClickFocus);
    m_relatorios = new ControleGrade(area);
    m_relatorios->setObjectName(QStringLiteral("MListaRelatorios"));
    m_relatorios->setGeometry(rect(390, 112, 202, 128));
    m_relatorios->hide();
    MListaProdutos.InitAutoObject(m_produtos);
    MListaRelatorios.InitAutoObject(m_relatorios);
    QObject::connect(m_produtos, &ControleGrade::CellChange, this,
                     [this](int linha, int coluna) { MListaProdutosCellChange(linha, coluna); });

    setTabOrder(m_formaPgto, m_prazoEntrega);
    setTabOrder(m_prazoEntrega, m_pedidoMinimo);
    setTabOrder(m_pedidoMinimo, m_valorFrete);
    setTabOrder(m_valorFrete, m_observacoes);
}

void FormCotacao::criaMenu() {
    using namespace TextosCotacao;
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
    statusBar();
}

QString FormCotacao::arquivoCotacao() const {
    return programFile(NomeCotacao(cCodCotacao));
}

QString FormCotacao::nomeResposta() const {
    return NomeResposta(cCodCotacao, cCNPJ);
}

void FormCotacao::Setup() {
    setWindowFlag(Qt::WindowMaximizeButtonHint, false);
    setFixedSize(sizeHint()); // a window that cannot be maximised or resized
    QString solicitante;
    GetFileIni(Secao, Cotacao::Solicitante, QString(), arquivoCotacao(), solicitante);
    m_solicitante->setText(solicitante.trimmed());
    IniciaListaProdutos();
    PreencheListaProdutos();
    PreencheDadosEnviados();
    lModificado = false;
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
    static const ColunaGrade colunas[] = {{u"", 0, 6, true, false},
                                          {u"PLU", 40, 6, true, false},
                                          {u"Cód. de barras", 90, 6, true, false},
                                          {u"Descrição", 340, 6, true, false},
                                          {u"Qtde.", 60, 14, true, true},
                                          {u"Unid.", 40, 10, true, false},
                                          {u"Preço R$", 60, 14, false, true},
                                          {u"Observações do produto", 200, 6, false, false}};
    AplicaColunas(g, colunas);
}

void FormCotacao::PreencheListaProdutos() {
    QString lista;
    GetFileIni(Secao, Cotacao::ListaProdutos, QString(), arquivoCotacao(), lista);
    if (!lista.trimmed().isEmpty()) {
        LeitorLista leitor(lista);
        std::array<QStringView, Cotacao::CamposProduto> p;
        const QChar tab = u'\t';
        while (leitor.registro(p.data(), int(p.size()))) {
            const QString linha = semTab(p[0]) + tab + semTab(p[1]) + tab + semTab(p[2]) + tab +
                                  semTab(p[3]) + tab + semTab(p[4]) + tab + kValorZero;
            MListaProdutos.AddItem_(linha, false);
        }
    }
    MListaProdutos.Refresh();
}

void FormCotacao::PreencheDadosEnviados() {
    using namespace Servidor;
    if (!BaixarArquivoViaFTP(m_rede.servidorFtp, Usuario, Senha, Diretorio, nomeResposta()))
        return;
    const QString resposta = programFile(nomeResposta());
    const QString config = programFile(Config);
    const auto ler = [](const QString& arquivo, const QString& chave, const QString& padrao) {
        QString v;
        GetFileIni(Secao, chave, padrao, arquivo, v);
        return v;
    };
    setMObservacoes(ler(resposta, Resposta::ObsGeral, QString()));
    // A blank (or zero) term of the answer takes the one of the last sending.
    const auto texto = [&](const QString& chave) {
        const QString v = ler(resposta, chave, QString());
        return v.trimmed().isEmpty() ? ler(config, chave, QString()) : v;
    };
    // Amounts are read in either decimal convention, so "150,75" stays 150,75.
    const auto quantia = [&](const QString& chave) {
        QString v = ler(resposta, chave, kValorZero);
        if (ValorDoTexto(v) == 0)
            v = ler(config, chave, QString());
        return Str(ValorDoTexto(v), 12, 2).trimmed();
    };
    setMPrazoEntrega(texto(Resposta::PrazoEntrega));
    setMFormaPgto(texto(Resposta::FormaPgto));
    setMPedidoMinimo(quantia(Resposta::PedidoMinimo));
    setMValorFrete(quantia(Resposta::ValorFrete));

    const int linhas = MListaProdutos.Rows().toInt();
    const auto preenche = [&](const QString& chave, int coluna) {
        const QString lista = ler(resposta, chave, QString());
        if (lista.trimmed().isEmpty())
            return;
        LeitorLista leitor(lista);
        QStringView item;
        // Items beyond the last product row are dropped.
        for (int linha = 1; linha < linhas && leitor.proximo(item); ++linha)
            MListaProdutos.Cell(linha, coluna).Text(item.toString());
    };
    preenche(Resposta::ListaPrecosForn, 6);
    preenche(Resposta::ListaObsProdutos, 7);
}

void FormCotacao::MListaProdutosCellChange(int, int) {
    lModificado = true;
}

void FormCotacao::EditChange(QLineEdit*) {
    lModificado = true;
}

void FormCotacao::Timer() {
    MListaProdutos.Refresh();
}

void FormCotacao::Enviar() {
    if (EnviaResposta())
        EndWindow();
}

void FormCotacao::Sair() {
    EndWindow();
}

bool FormCotacao::QueryClose() {
    if (m_encerrando || !lModificado)
        return true;
    if (!AvisoGet(TextosCotacao::PerguntaSair, TextosCotacao::Sim, TextosCotacao::Nao, 1))
        return true;
    // A failed sending keeps the form open with everything typed: the message just asked the
    // supplier to try again.
    return EnviaResposta();
}

bool FormCotacao::gravaResposta(const QString& arquivo) {
    bool ok = true;
    const int linhas = MListaProdutos.Rows().toInt();
    if (linhas > 1) {
        QStringList precos, observacoes;
        precos.reserve(linhas);
        observacoes.reserve(linhas);
        for (int linha = 1; linha < linhas; ++linha) {
            precos << TextoNumero(MListaProdutos.Cell(linha, 6).Text().toString());
            observacoes << MListaProdutos.Cell(linha, 7).Text().toString().trimmed();
        }
        ok &= PutFileIni(Secao, Resposta::ListaPrecosForn, EscreveLista(precos), arquivo);
        ok &= PutFileIni(Secao, Resposta::ListaObsProdutos, EscreveLista(observacoes), arquivo);
    }
    ok &= PutFileIni(Secao, Resposta::ObsGeral, MObservacoes().trimmed(), arquivo);
    ok &= PutFileIni(Secao, Resposta::PrazoEntrega, MPrazoEntrega().trimmed(), arquivo);
    ok &= PutFileIni(Secao, Resposta::FormaPgto, MFormaPgto().trimmed(), arquivo);
    ok &= PutFileIni(Secao, Resposta::PedidoMinimo, MPedidoMinimo().trimmed(), arquivo);
    ok &= PutFileIni(Secao, Resposta::ValorFrete, MValorFrete().trimmed(), arquivo);
    return ok;
}

bool FormCotacao::EnviaResposta() {
    using namespace TextosCotacao;
    ExibeAvisoEmEspera(VerificandoConexao, false);
    const bool conectado = VerificaConexaoInternet(m_rede.conexao);
    ExibeAvisoEmEspera(VerificandoConexao, true);
    if (!conectado) {
        WarningMessage(SemConexao);
        return false;
    }
    // An answer that did not reach the disk whole must not be sent.
    if (!gravaResposta(programFile(nomeResposta()))) {
        WarningMessage(ErroGravacao);
        return false;
    }

    ExibeAvisoEmEspera(Enviando, false);
    using namespace Servidor;
    const bool enviado =
        EnviarArquivoViaFTP(m_rede.servidorFtp, Usuario, Senha, Diretorio, nomeResposta());
    ExibeAvisoEmEspera(Enviando, true);
    if (!enviado) {
        WarningMessage(ErroEnvio);
        return false;
    }

    const QString config = programFile(Config);
    GravaIni(Secao, Resposta::FormaPgto, MFormaPgto(), config);
    GravaIni(Secao, Resposta::PrazoEntrega, MPrazoEntrega(), config);
    GravaIni(Secao, Resposta::PedidoMinimo, MPedidoMinimo(), config);
    GravaIni(Secao, Resposta::ValorFrete, MValorFrete(), config);
    WarningMessage(Enviada);
    if (AvisoGet(PerguntaImprimir, Sim, Nao, 1))
        Imprimir();

    lModificado = false;
    m_encerrando = true;
    setQuitOnClose(false);
    auto* obrigado = new FormObrigado;
    obrigado->setQuitOnClose(true);
    obrigado->Show();
    return true;
}
