#include "cotacao/ComandosDaGrade.h"

#include "cotacao/Textos.h"
#include "proposta/Busca.h"
#include "proposta/Colagem.h"
#include "proposta/ColunasProdutos.h"
#include "proposta/Envio.h"
#include "proposta/Importacao.h"
#include "proposta/PrecosDaTabela.h"
#include "proposta/Textos.h"
#include "formatos/Quantia.h"
#include "grade/ControleGrade.h"
#include "janelas/Caixas.h"
#include "janelas/EscolhaDeArquivo.h"
#include "janelas/Textos.h"
#include "nucleo/Erro.h"
#include "nucleo/Regional.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QShortcut>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QTimer>
#include <QToolBar>
#include <QUndoStack>

#include <algorithm>

using namespace cotacao;
using namespace grade;
using namespace proposta;
using namespace janelas;
using namespace nucleo;

namespace {

// One change of the answer, already made when it is recorded: undo puts the values before back,
// redo the values after.
class ValoresAlterados : public QUndoCommand {
public:
    using Aplica = std::function<void(const QList<Alteracao>&)>;
    ValoresAlterados(QList<Alteracao> alteracoes, Aplica aplica)
        : m_alteracoes(std::move(alteracoes))
        , m_aplica(std::move(aplica)) {}

    void undo() override {
        QList<Alteracao> volta;
        volta.reserve(m_alteracoes.size());
        for (auto a = m_alteracoes.crbegin(); a != m_alteracoes.crend(); ++a)
            volta.append({a->produto, a->campo, a->depois, a->antes});
        m_aplica(volta);
    }
    void redo() override {
        if (m_feita) {
            m_feita = false; // pushed after it was made
            return;
        }
        m_aplica(m_alteracoes);
    }

private:
    QList<Alteracao> m_alteracoes;
    Aplica m_aplica;
    bool m_feita = true;
};

// A command of a menu; its object name is how the program's tests find it.
QAction* comando(QObject* dono, QMenu* menu, const char* nome, const QString& texto,
                 const QKeySequence& atalho, const QString& ajuda, std::function<void()> executa) {
    QAction* acao = menu->addAction(texto);
    acao->setObjectName(QString::fromLatin1(nome));
    acao->setShortcut(atalho);
    acao->setStatusTip(ajuda);
    acao->setToolTip(ajuda);
    QObject::connect(acao, &QAction::triggered, dono, std::move(executa));
    return acao;
}

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

bool planilhaCsv(const QString& caminho) {
    return caminho.endsWith(QStringLiteral(".csv"), Qt::CaseInsensitive);
}

Campo campoDaColuna(int coluna) {
    return coluna == kColunaPreco ? Campo::Preco : Campo::Observacao;
}

} // namespace

ComandosDaGrade::ComandosDaGrade(QMainWindow* janela, Proposta& proposta, ControleGrade* produtos,
                                 banco::BancoLocal* banco)
    : m_janela(janela)
    , m_proposta(proposta)
    , m_produtos(produtos)
    , m_banco(banco) {
    m_desfazer = new QUndoStack(this);
    m_desfazer->setUndoLimit(1000);
    m_produtos->modelo()->setGravador(
        {kColunaPreco, kColunaObs}, [this](const QList<AlteracaoDeCelula>& celulas) {
            QList<Alteracao> alteracoes;
            alteracoes.reserve(celulas.size());
            for (const AlteracaoDeCelula& c : celulas)
                alteracoes.append({c.linha - 1, campoDaColuna(c.coluna), c.antes, c.depois});
            m_proposta.altera(alteracoes);
        });
    m_produtos->modelo()->setDecorador(
        [this](int linha, int coluna, int papel) { return decoracao(linha, coluna, papel); });
    QObject::connect(&m_proposta, &Proposta::alterada, this,
                     [this](const QList<Alteracao>& feitas) { mostra(feitas); });
}

ComandosDaGrade::~ComandosDaGrade() {
    m_produtos->modelo()->setGravador({}, {});
    m_produtos->modelo()->setDecorador({});
}

void ComandosDaGrade::criaMenus(QMenu* arquivo) {
    using namespace cotacao::textos;
    using namespace proposta::textos;

    arquivo->addSeparator();
    comando(this, arquivo, "ExportarPlanilha", ComandoExportar, QKeySequence(u"Ctrl+E"_qs),
            AjudaExportar, [this] { ExportarPlanilha(); });
    comando(this, arquivo, "ImportarPlanilha", ComandoImportar, QKeySequence(u"Ctrl+I"_qs),
            AjudaImportar, [this] { ImportarPlanilha(); });
    QMenu* tabela = arquivo->addMenu(MenuTabelaDePrecos);
    tabela->menuAction()->setObjectName(QStringLiteral("MenuTabelaDePrecos"));
    tabela->menuAction()->setStatusTip(AjudaImportarTabela);
    comando(this, tabela, "ImportarTabela", ImportarTabela, QKeySequence(u"Ctrl+Shift+I"_qs),
            AjudaImportarTabela, [this] { ImportarTabelaDePrecos(); });
    comando(this, tabela, "VerTabela", VerTabela, QKeySequence(u"Ctrl+Shift+T"_qs), AjudaVerTabela,
            [this] { VerTabelaDePrecos(); });
    comando(this, tabela, "ApagarTabela", ApagarTabela, QKeySequence(u"Ctrl+Shift+Del"_qs),
            AjudaApagarTabela, [this] { ApagarTabelaDePrecos(); });

    QMenu* editar = m_janela->menuBar()->addMenu(MenuEditar);
    editar->menuAction()->setObjectName(QStringLiteral("MenuEditar"));
    QAction* desfazer = comando(this, editar, "Desfazer", ComandoDesfazer, QKeySequence::Undo,
                                AjudaDesfazer, [this] { Desfazer(); });
    QAction* refazer = comando(this, editar, "Refazer", ComandoRefazer, QKeySequence(u"Ctrl+Y"_qs),
                               AjudaRefazer, [this] { Refazer(); });
    QObject::connect(m_desfazer, &QUndoStack::canUndoChanged, desfazer, &QAction::setEnabled);
    QObject::connect(m_desfazer, &QUndoStack::canRedoChanged, refazer, &QAction::setEnabled);
    desfazer->setEnabled(false);
    refazer->setEnabled(false);
    editar->addSeparator();
    comando(this, editar, "Copiar", ComandoCopiar, QKeySequence::Copy, AjudaCopiar,
            [this] { Copiar(); });
    comando(this, editar, "Colar", ComandoColar, QKeySequence::Paste, AjudaColar,
            [this] { Colar(); });
    // Only while the grid itself has the focus: a field or a cell being edited keeps its keys.
    QAction* limpar = comando(this, editar, "LimparCelulas", ComandoLimpar, QKeySequence::Delete,
                              AjudaLimpar, [this] { LimparCelulas(); });
    limpar->setShortcuts({QKeySequence(QKeySequence::Delete), QKeySequence(Qt::Key_Backspace)});
    limpar->setShortcutContext(Qt::WidgetShortcut);
    m_produtos->addAction(limpar);
    editar->addSeparator();
    // Named apart from the search field it goes to ("Localizar").
    comando(this, editar, "LocalizarProduto", ComandoLocalizar, QKeySequence::Find, AjudaLocalizar,
            [this] { Localizar(); });
    comando(this, editar, "PreencherUltimosPrecos", ComandoPreencherUltimos,
            QKeySequence(u"Ctrl+L"_qs), AjudaUltimos, [this] { PreencherUltimosPrecos(); });
    const QAction* preencher = comando(this, editar, "PreencherComTabela", PreencherComTabela,
                                       QKeySequence(u"Ctrl+Shift+L"_qs), AjudaPreencherComTabela,
                                       [this] { PreencherComTabelaDePrecos(); });
    m_atalhoDaTabela = preencher->shortcut().toString(QKeySequence::NativeText);
    editar->addSeparator();
    comando(this, editar, "IrParaSemPreco", IrParaSemPreco, QKeySequence(u"Ctrl+G"_qs),
            AjudaIrParaSemPreco, [this] { IrParaPrimeiroSemPreco(); });

    m_mensagem = new LinhaDeMensagem(m_janela->statusBar());
    m_janela->statusBar()->addWidget(m_mensagem, 1);
    m_fimDaMensagem = new QTimer(this);
    m_fimDaMensagem->setSingleShot(true);
    QObject::connect(m_fimDaMensagem, &QTimer::timeout, this, [this] { informa({}, true); });
    m_janela->installEventFilter(this);
    m_espaco = new QLabel(m_janela);
    m_espaco->setObjectName(QStringLiteral("EspacoObs"));
    m_janela->statusBar()->addPermanentWidget(m_espaco);
    m_espaco->hide();
    m_resumo = new QLabel(m_janela);
    m_resumo->setObjectName(QStringLiteral("Resumo"));
    m_janela->statusBar()->addPermanentWidget(m_resumo);
}

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

void ComandosDaGrade::inicia(const QString& numeroDaCotacao) {
    m_numero = numeroDaCotacao;
    m_chavesDeBusca.clear();
    for (const formatos::Produto& p : m_proposta.cotacao().produtos)
        m_chavesDeBusca << ChaveDeBusca(
            QString(p.plu + u' ' + p.codigoBarras + u' ' + p.descricao));
    m_desfazer->clear();
    atualizaResumo();
    atualizaEspaco();
}

// Every change of the answer, made at once, shows in the grid; typed or made by a command, it
// is one step to undo.
void ComandosDaGrade::mostra(const QList<Alteracao>& feitas) {
    QList<AlteracaoDeCelula> celulas;
    celulas.reserve(feitas.size());
    bool observacoes = false;
    for (const Alteracao& a : feitas) {
        const bool preco = a.campo == Campo::Preco;
        celulas.append({a.produto + 1, preco ? kColunaPreco : kColunaObs, a.antes, a.depois});
        observacoes = observacoes || !preco;
    }
    m_produtos->modelo()->mostra(celulas);
    // A price decides the look of its whole row (priced or not): the row is drawn again.
    if (!feitas.isEmpty()) {
        const auto [menor, maior] = std::minmax_element(
            feitas.cbegin(), feitas.cend(),
            [](const Alteracao& a, const Alteracao& b) { return a.produto < b.produto; });
        m_produtos->modelo()->celulasMudaram(menor->produto + 1, 1, maior->produto + 1, kColunaObs);
    }
    // While the program fills the form the status bar is written once at the end.
    if (m_preenchendo)
        return;
    atualizaResumo();
    if (observacoes)
        atualizaEspaco();
    if (m_desfazendo)
        return;
    m_desfazer->push(new ValoresAlterados(feitas, [this](const QList<Alteracao>& a) {
        m_desfazendo = true;
        m_proposta.altera(a);
        m_desfazendo = false;
    }));
}

void ComandosDaGrade::aplica(const QList<Alteracao>& alteracoes) {
    m_produtos->ConfirmaEdicao();
    m_proposta.altera(alteracoes);
}

void ComandosDaGrade::atualizaResumo() {
    if (m_resumo)
        m_resumo->setText(m_proposta.resumo());
}

void ComandosDaGrade::atualizaEspaco() {
    if (!m_espaco)
        return;
    const auto espaco = m_proposta.espacoNasObservacoes();
    if (!espaco)
        m_espaco->clear();
    else if (*espaco >= 0)
        m_espaco->setText(proposta::textos::EspacoNasObservacoes.para(*espaco).arg(
            ComMilhares(double(*espaco), 0)));
    else
        m_espaco->setText(proposta::textos::ObservacoesAlemDoLimite.para(-*espaco).arg(
            ComMilhares(double(-*espaco), 0)));
    m_espaco->setVisible(espaco.has_value());
}

QVariant ComandosDaGrade::decoracao(int linha, int coluna, int papel) const {
    const int produto = linha - 1;
    if (produto < 0 || produto >= m_proposta.produtos())
        return {};
    const bool recusado = m_proposta.precoRecusado(produto);
    if (coluna == kColunaPreco && papel == Qt::DisplayRole)
        // The amount as it is sent; a text that is not one, as typed, in its red cell.
        return m_proposta.precoMostrado(produto);
    if (papel == Qt::BackgroundRole && coluna == kColunaPreco && recusado)
        return QColor(255, 205, 210); // a price to correct
    if (papel == Qt::BackgroundRole && coluna > 0 && m_proposta.valor(produto).zero())
        return QColor(255, 248, 225); // not priced yet: a glance finds it
    if (papel != Qt::ToolTipRole || coluna != kColunaPreco)
        return {};
    QStringList dica;
    if (recusado)
        dica << proposta::textos::PrecoACorrigir;
    dica << m_proposta.precosConhecidos(produto, proposta::textos::UltimoPreco,
                                        proposta::textos::PrecoDaTabela);
    // As rich text a tip wraps at a readable width (a plain one is one line, however long).
    return dica.isEmpty()
               ? QVariant()
               : QVariant(Qt::convertFromPlainText(dica.join(u'\n'), Qt::WhiteSpaceNormal));
}

void ComandosDaGrade::Desfazer() {
    m_produtos->ConfirmaEdicao();
    m_desfazer->undo();
}

void ComandosDaGrade::Refazer() {
    m_produtos->ConfirmaEdicao();
    m_desfazer->redo();
}

void ComandosDaGrade::Copiar() {
    const QModelIndexList selecionadas = m_produtos->selectionModel()->selectedIndexes();
    if (selecionadas.isEmpty())
        return;
    int topo = INT_MAX, base = 0, esquerda = INT_MAX, direita = 0;
    for (const QModelIndex& i : selecionadas) {
        topo = std::min(topo, i.row() + 1);
        base = std::max(base, i.row() + 1);
        esquerda = std::min(esquerda, i.column());
        direita = std::max(direita, i.column());
    }
    const DadosGrade& d = m_produtos->modelo()->dados();
    proposta::Bloco bloco;
    for (int linha = topo; linha <= base; ++linha) {
        if (m_produtos->isRowHidden(linha - 1))
            continue; // what the search hides is not copied
        QStringList celulas;
        for (int coluna = esquerda; coluna <= direita; ++coluna)
            celulas << d.celula(linha, coluna).texto;
        bloco << celulas;
    }
    QGuiApplication::clipboard()->setText(proposta::EscreveBloco(bloco));
}

void ComandosDaGrade::Colar() {
    m_produtos->ConfirmaEdicao();
    const QModelIndex atual = m_produtos->currentIndex();
    if (!atual.isValid())
        return;
    QRect selecao;
    for (const QModelIndex& i : m_produtos->selectionModel()->selectedIndexes())
        selecao |= QRect(i.column(), i.row() + 1, 1, 1);
    const QString texto = QGuiApplication::clipboard()->text();
    if (texto.size() > kMaximoDaColagem) {
        avisa(proposta::textos::ColagemGrandeDemais);
        return;
    }
    const Colagem colagem = ColaTexto(m_proposta, atual.row() + 1, atual.column(), texto, selecao);
    aplica(colagem.alteracoes);
    informa(ResumeColagem(colagem));
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

void ComandosDaGrade::LimparCelulas() {
    m_produtos->ConfirmaEdicao();
    QModelIndexList celulas = m_produtos->selectionModel()->selectedIndexes();
    if (celulas.isEmpty() && m_produtos->currentIndex().isValid())
        celulas << m_produtos->currentIndex();
    QList<Alteracao> alteracoes;
    for (const QModelIndex& i : std::as_const(celulas)) {
        const int coluna = i.column();
        if ((coluna != kColunaPreco && coluna != kColunaObs) || m_produtos->isRowHidden(i.row()))
            continue;
        // A price cleared is a product not priced, as the form opened it.
        alteracoes.append({i.row(),
                           campoDaColuna(coluna),
                           {},
                           coluna == kColunaPreco ? formatos::kValorZero : QString()});
    }
    aplica(alteracoes);
}

bool ComandosDaGrade::eventFilter(QObject* objeto, QEvent* evento) {
    if (objeto == m_janela && evento->type() == QEvent::StatusTip && m_mensagem) {
        const QString dica = static_cast<QStatusTipEvent*>(evento)->tip();
        static_cast<LinhaDeMensagem*>(m_mensagem)->mostra(dica.isEmpty() ? m_ultimaMensagem : dica);
        return true;
    }
    if (objeto == m_localizar && evento->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(evento)->key() == Qt::Key_Escape &&
        static_cast<QKeyEvent*>(evento)->modifiers() == Qt::NoModifier) {
        m_localizar->clear();
        return true;
    }
    return QObject::eventFilter(objeto, evento);
}

void ComandosDaGrade::PreencherUltimosPrecos() {
    const QList<Alteracao> alteracoes = m_proposta.preenchimentoPelosUltimos();
    aplica(alteracoes);
    informa(proposta::textos::Preenchidos.para(alteracoes.size()).arg(alteracoes.size()));
}

void ComandosDaGrade::avisa(const QString& texto) {
    Caixas::aviso(m_janela, janelas::textos::Aviso, texto);
}

void ComandosDaGrade::informa(const QString& texto, bool fica) {
    m_ultimaMensagem = texto;
    if (!m_mensagem)
        return;
    static_cast<LinhaDeMensagem*>(m_mensagem)->mostra(texto);
    // The quotation's lasting line gives its room to a message while it shows.
    if (auto* situacao = m_janela->findChild<QLabel*>(QStringLiteral("Situacao")))
        situacao->setVisible(texto.isEmpty());
    if (fica || texto.isEmpty())
        m_fimDaMensagem->stop();
    else
        m_fimDaMensagem->start(10000);
}

void ComandosDaGrade::ExportarPlanilha() {
    using namespace cotacao::textos;
    using namespace proposta::textos;
    m_produtos->ConfirmaEdicao();
    const QString arquivo =
        janelas::EscolheArquivo(janelas::Escolha::Salvar, m_janela, TituloExportar,
                                m_numero + QStringLiteral(".xlsx"), FiltrosDePlanilha);
    if (arquivo.isEmpty())
        return;
    QVariantList cabecalho;
    for (int c = 1; c <= kColunaObs; ++c)
        cabecalho << m_produtos->modelo()->dados().celula(0, c).texto;
    const Tabela tabela = TabelaDaProposta(m_proposta, cabecalho);
    const nucleo::Resultado<void> gravada = planilhaCsv(arquivo)
                                                ? proposta::EscreveCsv(arquivo, tabela)
                                                : proposta::EscreveXlsx(arquivo, tabela, m_numero);
    if (!gravada) {
        avisa(nucleo::Diz(gravada.falha()));
        return;
    }
    informa(Exportada.arg(QDir::toNativeSeparators(arquivo)));
}

void ComandosDaGrade::ImportarPlanilha() {
    using namespace cotacao::textos;
    using namespace proposta::textos;
    m_produtos->ConfirmaEdicao();
    const QString arquivo = janelas::EscolheArquivo(janelas::Escolha::Abrir, m_janela,
                                                    TituloImportar, QString(), FiltrosParaImportar);
    if (arquivo.isEmpty())
        return;
    const QString nome = QDir::toNativeSeparators(arquivo);
    const auto lido = ImportaPlanilha(m_proposta, arquivo);
    if (!lido) {
        avisa(PlanilhaIlegivel.arg(nome) + MotivoDaRecusa.arg(nucleo::Diz(lido.falha())));
        return;
    }
    const Importacao& plano = *lido;
    if (!plano.cabecalhoAchado) {
        avisa(PlanilhaSemColunas.arg(nome));
        return;
    }
    // Nothing changes before the supplier has seen what will.
    if (!Caixas::simOuNao(m_janela, ResumeImportacao(plano) + PerguntaAplicarPlanilha, Aplicar,
                          Cancelar, true))
        return;
    aplica(plano.alteracoes);
    informa(Importada.para(plano.alteracoes.size()).arg(plano.alteracoes.size()));
}
