#include "cotacao/ComandosDaGrade.h"

#include "cotacao/Textos.h"
#include "formatos/Quantia.h"
#include "grade/ControleGrade.h"
#include "janelas/Caixas.h"
#include "janelas/Textos.h"
#include "nucleo/Erro.h"
#include "nucleo/Regional.h"
#include "proposta/Busca.h"
#include "proposta/Colagem.h"
#include "proposta/ColunasProdutos.h"
#include "proposta/PrecosDaTabela.h"
#include "proposta/Textos.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QTextDocument>
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

    m_barra = new BarraDaCotacao(m_janela, this);
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
    if (m_barra)
        m_barra->mostraResumo(m_proposta.resumo());
}

void ComandosDaGrade::atualizaEspaco() {
    if (!m_barra)
        return;
    const auto espaco = m_proposta.espacoNasObservacoes();
    if (!espaco)
        m_barra->mostraEspaco({});
    else if (*espaco >= 0)
        m_barra->mostraEspaco(proposta::textos::EspacoNasObservacoes.para(*espaco).arg(
            ComMilhares(double(*espaco), 0)));
    else
        m_barra->mostraEspaco(proposta::textos::ObservacoesAlemDoLimite.para(-*espaco).arg(
            ComMilhares(double(-*espaco), 0)));
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

void ComandosDaGrade::avisa(const QString& texto) {
    Caixas::aviso(m_janela, janelas::textos::Aviso, texto);
}

void ComandosDaGrade::informa(const QString& texto, bool fica) {
    if (m_barra)
        m_barra->informa(texto, fica);
}
