// The product grid as a spreadsheet: undo, copy and paste, search, spreadsheets in and out, the
// last prices sent, and the totals as the supplier types. Each command is a small function of
// quotation/ over the grid's data; here the form only binds it to menus, keys and the status bar.
#include "grid/ControleGrade.h"
#include "quotation/Busca.h"
#include "quotation/Colagem.h"
#include "quotation/ColunasProdutos.h"
#include "quotation/FormCotacao.h"
#include "quotation/Importacao.h"
#include "quotation/Textos.h"
#include "quotation/formats/Arquivos.h"
#include "quotation/formats/Numeros.h"
#include "runtime/core/Regional.h"
#include "runtime/ui/Caixas.h"
#include "runtime/ui/EscolhaDeArquivo.h"
#include "store/PrecosEnviados.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QShortcut>
#include <QStandardPaths>
#include <QStatusBar>
#include <QToolBar>
#include <QUndoStack>

#include <algorithm>

using namespace grade;
using namespace janelas;
using namespace nucleo;

using cotacao::kColunaBarras;
using cotacao::kColunaDescricao;
using cotacao::kColunaObs;
using cotacao::kColunaPlu;
using cotacao::kColunaPreco;

namespace {

// One change of cells, already made when it is recorded: undo puts the texts before back, redo
// the texts after.
class CelulasAlteradas : public QUndoCommand {
public:
    using Aplica = std::function<void(const QList<AlteracaoDeCelula>&)>;
    CelulasAlteradas(QList<AlteracaoDeCelula> alteracoes, Aplica aplica)
        : m_alteracoes(std::move(alteracoes))
        , m_aplica(std::move(aplica)) {}

    void undo() override {
        QList<AlteracaoDeCelula> volta;
        volta.reserve(m_alteracoes.size());
        for (auto a = m_alteracoes.crbegin(); a != m_alteracoes.crend(); ++a)
            volta.append({a->linha, a->coluna, a->depois, a->antes});
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
    QList<AlteracaoDeCelula> m_alteracoes;
    Aplica m_aplica;
    bool m_feita = true;
};

QAction* comando(QWidget* janela, QMenu* menu, const QString& texto, const QKeySequence& atalho,
                 const QString& ajuda, std::function<void()> executa) {
    QAction* acao = menu->addAction(texto);
    acao->setShortcut(atalho);
    acao->setStatusTip(ajuda);
    acao->setToolTip(ajuda);
    QObject::connect(acao, &QAction::triggered, janela, std::move(executa));
    return acao;
}

bool planilhaCsv(const QString& caminho) {
    return caminho.endsWith(QStringLiteral(".csv"), Qt::CaseInsensitive);
}

} // namespace

void FormCotacao::criaComandos(QMenu* arquivo) {
    using namespace cotacao::textos;
    m_desfazer = new QUndoStack(this);
    m_desfazer->setUndoLimit(1000);

    arquivo->addSeparator();
    comando(this, arquivo, QStringLiteral("E&xportar planilha..."), QKeySequence(u"Ctrl+E"_qs),
            AjudaExportar, [this] { ExportarPlanilha(); });
    comando(this, arquivo, QStringLiteral("Im&portar planilha..."), QKeySequence(u"Ctrl+I"_qs),
            AjudaImportar, [this] { ImportarPlanilha(); });

    QMenu* editar = menuBar()->addMenu(QStringLiteral("E&ditar"));
    QAction* desfazer = comando(this, editar, QStringLiteral("&Desfazer"), QKeySequence::Undo,
                                AjudaDesfazer, [this] { Desfazer(); });
    QAction* refazer = comando(this, editar, QStringLiteral("&Refazer"), QKeySequence(u"Ctrl+Y"_qs),
                               AjudaRefazer, [this] { Refazer(); });
    QObject::connect(m_desfazer, &QUndoStack::canUndoChanged, desfazer, &QAction::setEnabled);
    QObject::connect(m_desfazer, &QUndoStack::canRedoChanged, refazer, &QAction::setEnabled);
    desfazer->setEnabled(false);
    refazer->setEnabled(false);
    editar->addSeparator();
    comando(this, editar, QStringLiteral("&Copiar"), QKeySequence::Copy, AjudaCopiar,
            [this] { Copiar(); });
    comando(this, editar, QStringLiteral("C&olar"), QKeySequence::Paste, AjudaColar,
            [this] { Colar(); });
    editar->addSeparator();
    comando(this, editar, QStringLiteral("&Localizar"), QKeySequence::Find, AjudaLocalizar,
            [this] { Localizar(); });
    comando(this, editar, QStringLiteral("&Preencher com últimos preços"),
            QKeySequence(u"Ctrl+L"_qs), AjudaUltimos, [this] { PreencherUltimosPrecos(); });

    m_resumoMostrado = new QLabel(this);
    m_resumoMostrado->setObjectName(QStringLiteral("Resumo"));
    m_espaco = new QLabel(this);
    m_espaco->setObjectName(QStringLiteral("EspacoObs"));
    QObject::connect(m_produtos->modelo(), &ModeloGrade::Alteradas, this,
                     [this](const QList<AlteracaoDeCelula>& a) { aoAlterar(a); });
    m_produtos->modelo()->setDecorador(
        [this](int linha, int coluna, int papel) { return decoracao(linha, coluna, papel); });
    QObject::connect(m_pedidoMinimo, &QLineEdit::textChanged, this, [this] { atualizaResumo(); });
}

// The search field, at the end of the tool bar, above the grid.
void FormCotacao::criaLocalizar(QToolBar* barra) {
    barra->addSeparator();
    auto* rotulo = new QLabel(cotacao::textos::Localizar, barra);
    m_localizar = new QLineEdit(barra);
    m_localizar->setObjectName(QStringLiteral("Localizar"));
    m_localizar->setAccessibleName(QStringLiteral("Localizar"));
    m_localizar->setPlaceholderText(cotacao::textos::ProcurarDica);
    m_localizar->setStatusTip(cotacao::textos::AjudaLocalizar);
    m_localizar->setClearButtonEnabled(true);
    m_localizar->setMaximumWidth(260);
    rotulo->setBuddy(m_localizar);
    barra->addWidget(rotulo);
    barra->addWidget(m_localizar);
    QObject::connect(m_localizar, &QLineEdit::textChanged, this,
                     [this](const QString& texto) { filtra(texto); });
    auto* limpa = new QShortcut(QKeySequence(Qt::Key_Escape), m_localizar, nullptr, nullptr,
                                Qt::WidgetShortcut);
    QObject::connect(limpa, &QShortcut::activated, m_localizar, &QLineEdit::clear);
}

// After the form is filled: what the commands work on.
void FormCotacao::iniciaComandos() {
    const DadosGrade& d = m_produtos->modelo()->dados();
    m_chavesDeBusca.clear();
    m_chavesDeProduto.clear();
    for (int linha = 1; linha < d.linhas(); ++linha) {
        const QString& plu = d.celula(linha, kColunaPlu).texto;
        const QString& barras = d.celula(linha, kColunaBarras).texto;
        const QString texto = plu + u' ' + barras + u' ' + d.celula(linha, kColunaDescricao).texto;
        m_chavesDeBusca << cotacao::ChaveDeBusca(texto);
        m_chavesDeProduto << banco::PrecosEnviados::Chave(plu, barras);
    }
    m_ultimosPrecos.clear();
    if (m_banco && m_banco->aberto())
        m_ultimosPrecos = banco::PrecosEnviados(*m_banco).ultimos(cCodCotacao);
    m_desfazer->clear();
    m_resumo.recalcula(d);
    atualizaResumo();
    atualizaEspaco();
}

void FormCotacao::aoAlterar(const QList<AlteracaoDeCelula>& alteracoes) {
    const DadosGrade& d = m_produtos->modelo()->dados();
    bool observacoes = false;
    for (const AlteracaoDeCelula& a : alteracoes) {
        if (a.coluna == kColunaPreco)
            m_resumo.atualiza(d, a.linha);
        observacoes = observacoes || a.coluna == kColunaObs;
    }
    // While the program fills the form, cell by cell, the status bar is written once at the end.
    if (m_preenchendo)
        return;
    atualizaResumo();
    if (observacoes)
        atualizaEspaco();
    if (m_desfazendo || !m_desfazer)
        return;
    m_desfazer->push(new CelulasAlteradas(alteracoes, [this](const auto& a) {
        m_desfazendo = true;
        m_produtos->modelo()->setTextos(a);
        m_desfazendo = false;
    }));
}

void FormCotacao::aplica(const QList<AlteracaoDeCelula>& alteracoes) {
    m_produtos->ConfirmaEdicao();
    m_produtos->modelo()->setTextos(alteracoes);
}

void FormCotacao::atualizaResumo() {
    if (m_resumoMostrado)
        m_resumoMostrado->setText(m_resumo.texto(MPedidoMinimo()));
}

void FormCotacao::atualizaEspaco() {
    if (!m_espaco)
        return;
    const auto espaco = formatos::EspacoNasObservacoes(respostaDoFormulario());
    if (!espaco)
        m_espaco->clear();
    else if (*espaco >= 0)
        m_espaco->setText(
            cotacao::textos::EspacoNasObservacoes.arg(ComMilhares(double(*espaco), 0)));
    else
        m_espaco->setText(
            cotacao::textos::ObservacoesAlemDoLimite.arg(ComMilhares(double(-*espaco), 0)));
    m_espaco->setVisible(espaco.has_value());
}

bool FormCotacao::cabeNoLeitor(const formatos::Resposta& resposta) {
    const formatos::MedidaDaResposta medida = formatos::MedeResposta(resposta);
    if (medida.cabe())
        return true;
    const DadosGrade& d = m_produtos->modelo()->dados();
    const formatos::MedidaDaResposta::Excesso& excesso = medida.excessos.front();
    if (excesso.chave != formatos::Arquivos::Resposta::ListaObsProdutos) {
        WarningMessage(cotacao::textos::ValorLongoDemais.arg(excesso.chave,
                                                             ComMilhares(double(excesso.alem), 0)));
        return false;
    }
    QString lista;
    for (const int produto : medida.maisLongas)
        lista += cotacao::textos::LinhaObservacaoLonga.arg(
            d.celula(produto + 1, kColunaDescricao).texto.trimmed(),
            ComMilhares(double(resposta.observacoes.value(produto).trimmed().size()), 0));
    WarningMessage(
        cotacao::textos::ObservacoesLongasDemais.arg(ComMilhares(double(excesso.alem), 0), lista));
    return false;
}

QVariant FormCotacao::decoracao(int linha, int coluna, int papel) const {
    const DadosGrade& d = m_produtos->modelo()->dados();
    if (papel == Qt::BackgroundRole && coluna > 0 && d.valida(linha, kColunaPreco) &&
        ValorDoTexto(d.celula(linha, kColunaPreco).texto) == 0)
        return QColor(255, 248, 225); // not priced yet: a glance finds it
    if (papel == Qt::ToolTipRole && coluna == kColunaPreco)
        if (const banco::PrecosEnviados::Preco* ultimo = ultimoPreco(linha))
            return cotacao::textos::UltimoPreco.arg(ultimo->preco,
                                                    DateToText(ultimo->quando.date()));
    return {};
}

const banco::PrecosEnviados::Preco* FormCotacao::ultimoPreco(int linha) const {
    if (linha < 1 || linha - 1 >= m_chavesDeProduto.size())
        return nullptr;
    const auto ultimo = m_ultimosPrecos.constFind(m_chavesDeProduto[linha - 1]);
    return ultimo == m_ultimosPrecos.cend() ? nullptr : &*ultimo;
}

void FormCotacao::Desfazer() {
    m_produtos->ConfirmaEdicao();
    m_desfazer->undo();
}

void FormCotacao::Refazer() {
    m_produtos->ConfirmaEdicao();
    m_desfazer->redo();
}

void FormCotacao::Copiar() {
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
    cotacao::Bloco bloco;
    for (int linha = topo; linha <= base; ++linha) {
        if (m_produtos->isRowHidden(linha - 1))
            continue; // what the search hides is not copied
        QStringList celulas;
        for (int coluna = esquerda; coluna <= direita; ++coluna)
            celulas << d.celula(linha, coluna).texto;
        bloco << celulas;
    }
    QGuiApplication::clipboard()->setText(cotacao::EscreveBloco(bloco));
}

void FormCotacao::Colar() {
    m_produtos->ConfirmaEdicao();
    const QModelIndex atual = m_produtos->currentIndex();
    if (!atual.isValid())
        return;
    QRect selecao;
    for (const QModelIndex& i : m_produtos->selectionModel()->selectedIndexes())
        selecao |= QRect(i.column(), i.row() + 1, 1, 1);
    const cotacao::Colagem colagem =
        cotacao::PlanejaColagem(m_produtos->modelo()->dados(), atual.row() + 1, atual.column(),
                                cotacao::LeBloco(QGuiApplication::clipboard()->text()), selecao);
    aplica(colagem.alteracoes);
    statusBar()->showMessage(cotacao::textos::Colados.arg(colagem.colados).arg(colagem.recusados),
                             10000);
}

void FormCotacao::Localizar() {
    m_localizar->setFocus(Qt::ShortcutFocusReason);
    m_localizar->selectAll();
}

void FormCotacao::filtra(const QString& texto) {
    const cotacao::Busca busca(texto);
    m_produtos->setUpdatesEnabled(false);
    for (int linha = 0; linha < m_chavesDeBusca.size(); ++linha) {
        const bool oculta = !busca.vazia() && !busca.corresponde(m_chavesDeBusca[linha]);
        if (m_produtos->isRowHidden(linha) != oculta)
            m_produtos->setRowHidden(linha, oculta);
    }
    m_produtos->setUpdatesEnabled(true);
}

void FormCotacao::PreencherUltimosPrecos() {
    const DadosGrade& d = m_produtos->modelo()->dados();
    QList<AlteracaoDeCelula> alteracoes;
    for (int linha = 1; linha < d.linhas() && linha - 1 < m_chavesDeProduto.size(); ++linha) {
        const QString& atual = d.celula(linha, kColunaPreco).texto;
        const banco::PrecosEnviados::Preco* ultimo = ultimoPreco(linha);
        if (ValorDoTexto(atual) == 0 && ultimo)
            alteracoes.append({linha, kColunaPreco, atual, ultimo->preco});
    }
    aplica(alteracoes);
    statusBar()->showMessage(cotacao::textos::Preenchidos.arg(alteracoes.size()), 10000);
}

bool FormCotacao::pergunta(const QString& texto, const QString& sim, const QString& nao,
                           bool padraoSim) {
    const int padrao = padraoSim ? Caixas::Sim : Caixas::Nao;
    return Caixas::pergunta(janelas::textos::Aviso, texto, padrao, [&] {
               QMessageBox caixa(QMessageBox::Question, janelas::textos::Aviso, texto,
                                 QMessageBox::Yes | QMessageBox::No, this);
               caixa.button(QMessageBox::Yes)->setText(sim);
               caixa.button(QMessageBox::No)->setText(nao);
               caixa.setDefaultButton(padraoSim ? QMessageBox::Yes : QMessageBox::No);
               return caixa.exec() == QMessageBox::Yes ? int(Caixas::Sim) : int(Caixas::Nao);
           }) == Caixas::Sim;
}

void FormCotacao::ExportarPlanilha() {
    using namespace cotacao::textos;
    m_produtos->ConfirmaEdicao();
    const QString pasta = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    const QString arquivo = janelas::EscolheArquivo(
        janelas::Escolha::Salvar, this, TituloExportar,
        QDir(pasta).filePath(cCodCotacao + QStringLiteral(".xlsx")), FiltrosDePlanilha);
    if (arquivo.isEmpty())
        return;
    const cotacao::Tabela tabela = cotacao::TabelaDaGrade(m_produtos->modelo()->dados());
    int linhaLonga = 0;
    const nucleo::FalhaGravacao falha = planilhaCsv(arquivo)
                                            ? cotacao::EscreveCsv(arquivo, tabela)
                                            : cotacao::EscreveXlsx(arquivo, tabela, &linhaLonga);
    if (linhaLonga) {
        WarningMessage(CelulaGrandeDemais.arg(linhaLonga));
        return;
    }
    if (falha != nucleo::FalhaGravacao::Nenhuma) {
        WarningMessage(janelas::textos::FalhaDeGravacao(falha, QFileInfo(arquivo).absolutePath()));
        return;
    }
    statusBar()->showMessage(Exportada.arg(QDir::toNativeSeparators(arquivo)), 10000);
}

void FormCotacao::ImportarPlanilha() {
    using namespace cotacao::textos;
    m_produtos->ConfirmaEdicao();
    const QString arquivo = janelas::EscolheArquivo(
        janelas::Escolha::Abrir, this, TituloImportar,
        QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation), FiltrosParaImportar);
    if (arquivo.isEmpty())
        return;
    const QString nome = QDir::toNativeSeparators(arquivo);
    const cotacao::Importacao plano =
        cotacao::ImportaPlanilha(m_produtos->modelo()->dados(), arquivo);
    if (!plano.recusa.isEmpty()) {
        WarningMessage(PlanilhaIlegivel.arg(nome) + MotivoDaRecusa.arg(plano.recusa));
        return;
    }
    if (!plano.cabecalhoAchado) {
        WarningMessage(PlanilhaSemColunas.arg(nome));
        return;
    }
    // Nothing changes before the supplier has seen what will.
    const QString resumo = ResumoImportacao.arg(plano.correspondidas)
                               .arg(plano.semProduto)
                               .arg(plano.recusados)
                               .arg(plano.alteracoes.size());
    if (!pergunta(resumo, Aplicar, Cancelar, true))
        return;
    aplica(plano.alteracoes);
    statusBar()->showMessage(Importada.arg(plano.alteracoes.size()), 10000);
}

bool FormCotacao::confereComUltimosPrecos() {
    const DadosGrade& d = m_produtos->modelo()->dados();
    QString lista;
    int diferentes = 0;
    for (int linha = 1; linha < d.linhas() && linha - 1 < m_chavesDeProduto.size(); ++linha) {
        const double preco = ValorDoTexto(d.celula(linha, kColunaPreco).texto);
        const banco::PrecosEnviados::Preco* ultimo = ultimoPreco(linha);
        if (preco <= 0 || !ultimo)
            continue;
        const double anterior = ValorDoTexto(ultimo->preco);
        if (anterior <= 0 || (preco < anterior * 10 && preco * 10 > anterior))
            continue;
        if (++diferentes <= 10)
            lista += cotacao::textos::LinhaSegundaOlhada.arg(
                d.celula(linha, kColunaDescricao).texto.trimmed(), ComMilhares(preco, 2),
                ultimo->preco);
    }
    return diferentes == 0 || pergunta(cotacao::textos::SegundaOlhada.arg(lista),
                                       cotacao::textos::Sim, cotacao::textos::Nao, false);
}

QList<QPair<QString, QString>> FormCotacao::precosParaGuardar() const {
    QList<QPair<QString, QString>> precos;
    const DadosGrade& d = m_produtos->modelo()->dados();
    for (int linha = 1; linha < d.linhas() && linha - 1 < m_chavesDeProduto.size(); ++linha) {
        const QString& preco = d.celula(linha, kColunaPreco).texto;
        if (ValorDoTexto(preco) > 0)
            precos.append({m_chavesDeProduto[linha - 1], formatos::TextoNumero(preco)});
    }
    return precos;
}
