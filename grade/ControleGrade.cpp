#include "grade/ControleGrade.h"

#include "grade/ImpressaoGrade.h"
#include "grade/ObjetosGrade.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QStyledItemDelegate>
#include <QValidator>

namespace grade {

namespace {

Qt::Alignment alinhamentoQt(int numero, bool numerico) {
    Qt::Alignment horizontal;
    switch (numero & 0xC) {
    case 4:
        horizontal = Qt::AlignLeft;
        break;
    case 8:
        horizontal = Qt::AlignHCenter;
        break;
    case 12:
        horizontal = Qt::AlignRight;
        break;
    default:
        horizontal = numerico ? Qt::AlignRight : Qt::AlignLeft;
        break;
    }
    switch (numero & 0x3) {
    case 1:
        return horizontal | Qt::AlignTop;
    case 3:
        return horizontal | Qt::AlignBottom;
    default:
        return horizontal | Qt::AlignVCenter;
    }
}

// Numeric cells take what the model's numeric validator lets through.
class DelegadoGrade : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override {
        QWidget* editor = QStyledItemDelegate::createEditor(parent, option, index);
        auto* modelo = qobject_cast<const ModeloGrade*>(index.model());
        auto* linha = qobject_cast<QLineEdit*>(editor);
        if (modelo && linha &&
            modelo->dados().mascara(index.row() + 1, index.column()) == kMascaraNumerica) {
            linha->setValidator(modelo->validadorNumerico(linha));
            linha->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        }
        return editor;
    }
};

} // namespace

QValidator::State ValidadorDeRegra::validate(QString& texto, int& posicao) const {
    const State estado = m_regra(texto);
    posicao = std::min(posicao, int(texto.size()));
    return estado;
}

void ModeloGrade::recarrega() {
    const int linhas = std::max(m_dados.linhas() - 1, 0);
    if (linhas > m_visiveis) {
        beginInsertRows({}, m_visiveis, linhas - 1);
        sincroniza();
        endInsertRows();
    } else if (linhas < m_visiveis) {
        beginResetModel(); // rows removed behind the model's back: start over
        sincroniza();
        endResetModel();
    }
    m_pendente = false;
    // No dataChanged over the whole grid: the view would put the model's text back into an
    // editor that is open. The view repaints from the model anyway.
    Q_EMIT headerDataChanged(Qt::Horizontal, 0, std::max(m_dados.colunas() - 1, 0));
}

void ModeloGrade::sincroniza() {
    m_pendente = false;
    m_visiveis = std::max(m_dados.linhas() - 1, 0);
}

void ModeloGrade::setGravador(QList<int> colunas, Gravador grava) {
    m_colunasGravadas = std::move(colunas);
    m_gravador = std::move(grava);
}

void ModeloGrade::setTexto(int linha, int coluna, const QString& texto) {
    if (!m_dados.valida(linha, coluna))
        return;
    Celula& celula = m_dados.celula(linha, coluna);
    if (celula.texto == texto)
        return;
    if (linha > 0 && m_gravador && m_colunasGravadas.contains(coluna)) {
        m_gravador({{linha, coluna, celula.texto, texto}});
        return;
    }
    const QList<AlteracaoDeCelula> alteracao{{linha, coluna, celula.texto, texto}};
    celula.texto = texto;
    if (linha == 0)
        Q_EMIT headerDataChanged(Qt::Horizontal, coluna, coluna);
    else if (linha - 1 < m_visiveis)
        Q_EMIT dataChanged(index(linha - 1, coluna), index(linha - 1, coluna));
    Q_EMIT CellChange(linha, coluna);
    Q_EMIT Alteradas(alteracao);
}

void ModeloGrade::setTextos(const QList<AlteracaoDeCelula>& alteracoes) {
    if (!m_gravador) {
        mostra(alteracoes);
        return;
    }
    QList<AlteracaoDeCelula> proprias, doDono;
    for (const AlteracaoDeCelula& a : alteracoes)
        (m_colunasGravadas.contains(a.coluna) ? doDono : proprias).append(a);
    mostra(proprias);
    if (!doDono.isEmpty())
        m_gravador(doDono);
}

void ModeloGrade::mostra(const QList<AlteracaoDeCelula>& alteracoes) {
    QList<AlteracaoDeCelula> feitas;
    feitas.reserve(alteracoes.size());
    int primeira = m_dados.linhas(), ultima = 0, esquerda = m_dados.colunas(), direita = 0;
    for (const AlteracaoDeCelula& a : alteracoes) {
        if (!m_dados.valida(a.linha, a.coluna) || a.linha == 0)
            continue;
        Celula& celula = m_dados.celula(a.linha, a.coluna);
        if (celula.texto == a.depois)
            continue;
        feitas.append({a.linha, a.coluna, celula.texto, a.depois});
        celula.texto = a.depois;
        primeira = std::min(primeira, a.linha);
        ultima = std::max(ultima, a.linha);
        esquerda = std::min(esquerda, a.coluna);
        direita = std::max(direita, a.coluna);
    }
    if (feitas.isEmpty())
        return;
    celulasMudaram(primeira, esquerda, ultima, direita);
    for (const AlteracaoDeCelula& a : feitas)
        Q_EMIT CellChange(a.linha, a.coluna);
    Q_EMIT Alteradas(feitas);
}

void ModeloGrade::setLinhas(int n) {
    beginResetModel();
    m_dados.setLinhas(n);
    sincroniza();
    endResetModel();
}

void ModeloGrade::setColunas(int n) {
    beginResetModel();
    m_dados.setColunas(n);
    sincroniza();
    endResetModel();
}

void ModeloGrade::adicionaLinha(const QString& textos, bool redesenhar) {
    if (!redesenhar || m_pendente) {
        // Many rows in a row: the view learns of them all at once, at Refresh.
        m_pendente = true;
        m_dados.adicionaLinha(textos);
        return;
    }
    beginInsertRows({}, m_visiveis, m_visiveis);
    m_dados.adicionaLinha(textos);
    sincroniza();
    endInsertRows();
}

void ModeloGrade::removeLinhas(int linha1, int linha2) {
    beginResetModel();
    m_dados.removeLinhas(linha1, linha2);
    sincroniza();
    endResetModel();
}

void ModeloGrade::celulasMudaram(int linha1, int coluna1, int linha2, int coluna2) {
    const int primeira = std::max(linha1 - 1, 0);
    const int ultima = std::min(linha2 - 1, m_visiveis - 1);
    if (primeira <= ultima)
        Q_EMIT dataChanged(index(primeira, coluna1), index(ultima, coluna2));
}

int ModeloGrade::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : m_visiveis;
}

int ModeloGrade::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : m_dados.colunas();
}

QVariant ModeloGrade::data(const QModelIndex& index, int role) const {
    const int linha = index.row() + 1;
    const int coluna = index.column();
    if (!index.isValid() || !m_dados.valida(linha, coluna))
        return {};
    const Celula& celula = m_dados.celula(linha, coluna);
    if (m_decorador && role != Qt::EditRole)
        if (QVariant extra = m_decorador(linha, coluna, role); extra.isValid())
            return extra;
    switch (role) {
    case Qt::DisplayRole:
        return m_dados.textoMostrado(linha, coluna);
    case Qt::EditRole:
        return celula.texto;
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(
            alinhamentoQt(m_dados.alinhamento(linha, coluna), m_dados.numerica(linha, coluna)));
    case Qt::BackgroundRole:
        return celula.fundo.isValid() ? QVariant(celula.fundo) : QVariant();
    case Qt::FontRole:
        if (celula.negrito || celula.sublinhado) {
            QFont fonte;
            fonte.setBold(celula.negrito);
            fonte.setUnderline(celula.sublinhado);
            return fonte;
        }
        return {};
    default:
        return {};
    }
}

bool ModeloGrade::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (role != Qt::EditRole || !(flags(index) & Qt::ItemIsEditable))
        return false;
    setTexto(index.row() + 1, index.column(), value.toString());
    return true;
}

Qt::ItemFlags ModeloGrade::flags(const QModelIndex& index) const {
    if (!index.isValid() || !m_dados.valida(index.row() + 1, index.column()))
        return Qt::NoItemFlags;
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (!m_dados.coluna(index.column()).bloqueada && index.column() > 0)
        f |= Qt::ItemIsEditable;
    return f;
}

QVariant ModeloGrade::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    if (orientation == Qt::Horizontal)
        return m_dados.valida(0, section) ? m_dados.celula(0, section).texto : QString();
    return m_dados.valida(section + 1, 0) && !m_dados.celula(section + 1, 0).texto.isEmpty()
               ? m_dados.celula(section + 1, 0).texto
               : QString::number(section + 1);
}

ControleGrade::ControleGrade(QWidget* parent)
    : QTableView(parent)
    , m_modelo(new ModeloGrade(this)) {
    // The report's free-standing classes (a title, a font) exist wherever a grid does: a report
    // built away from the quotation form (the reprint from the list of answers) needs them too.
    static const bool registradas = (RegistraClassesDaGrade(), true);
    Q_UNUSED(registradas);
    // Until told otherwise, the grid is one heading row and its row-index column.
    m_modelo->setColunas(1);
    m_modelo->setLinhas(1);
    setModel(m_modelo);
    setItemDelegate(new DelegadoGrade(this));
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setEditTriggers(QAbstractItemView::AnyKeyPressed | QAbstractItemView::DoubleClicked |
                    QAbstractItemView::EditKeyPressed);
    verticalHeader()->setVisible(false);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    horizontalHeader()->setHighlightSections(false);
    setWordWrap(false);
    QObject::connect(m_modelo, &ModeloGrade::CellChange, this, &ControleGrade::CellChange);
    QObject::connect(m_modelo, &QAbstractItemModel::modelReset, this,
                     &ControleGrade::aplicaLarguras);
}

void ControleGrade::setExtendLastCol(bool on) {
    horizontalHeader()->setStretchLastSection(on);
}

void ControleGrade::setDisplayRowIndex(bool on) {
    verticalHeader()->setVisible(on);
}

void ControleGrade::setAllowUserResizing(bool on) {
    horizontalHeader()->setSectionResizeMode(on ? QHeaderView::Interactive : QHeaderView::Fixed);
    verticalHeader()->setSectionResizeMode(on ? QHeaderView::Interactive : QHeaderView::Fixed);
}

void ControleGrade::setBackColorBkg(const QColor& cor) {
    QPalette paleta = palette();
    paleta.setColor(QPalette::Base, cor);
    setPalette(paleta);
}

void ControleGrade::aplicaLarguras() {
    const DadosGrade& dados = m_modelo->dados();
    for (int c = 0; c < dados.colunas(); ++c) {
        const int largura = dados.coluna(c).largura;
        setColumnHidden(c, largura <= 0);
        if (largura > 0)
            setColumnWidth(c, largura);
    }
    clearSpans();
    for (const Mesclagem& m : dados.mesclagens())
        if (m.linha1 >= 1)
            setSpan(m.linha1 - 1, m.coluna1, m.linha2 - m.linha1 + 1, m.coluna2 - m.coluna1 + 1);
}

void ControleGrade::Refresh() {
    m_modelo->recarrega();
    aplicaLarguras();
    viewport()->update();
}

bool ControleGrade::ConfirmaEdicao() {
    if (state() != QAbstractItemView::EditingState)
        return false;
    QWidget* editor = indexWidget(currentIndex());
    if (!editor)
        return false;
    commitData(editor);
    closeEditor(editor, QAbstractItemDelegate::NoHint);
    return true;
}

namespace {
ControleGrade::Visualizador& visualizador() {
    static ControleGrade::Visualizador v;
    return v;
}
} // namespace

void ControleGrade::setVisualizador(Visualizador v) {
    visualizador() = std::move(v);
}

void ControleGrade::PrintPreview(int zoom) {
    if (visualizador())
        visualizador()(*this, zoom);
    else
        VisualizaRelatorio(*this, zoom);
}

bool ControleGrade::edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) {
    if (!QTableView::edit(index, trigger, event))
        return false;
    if (QWidget* editor = indexWidget(index)) {
        m_editaDigitando = trigger == QAbstractItemView::AnyKeyPressed;
        // Installed after the delegate's own filter, so it sees the keys first.
        editor->installEventFilter(this);
        if (auto* linha = qobject_cast<QLineEdit*>(editor))
            QObject::connect(linha, &QLineEdit::textEdited, this, [this, index] {
                Q_EMIT EditandoCelula(index.row() + 1, index.column());
            });
    }
    return true;
}

bool ControleGrade::eventFilter(QObject* objeto, QEvent* evento) {
    if (evento->type() != QEvent::KeyPress || state() != QAbstractItemView::EditingState ||
        objeto != indexWidget(currentIndex()))
        return QTableView::eventFilter(objeto, evento);
    const auto* tecla = static_cast<QKeyEvent*>(evento);
    if (tecla->modifiers() & (Qt::ControlModifier | Qt::AltModifier))
        return QTableView::eventFilter(objeto, evento);
    int linhas = 0, colunas = 0;
    switch (tecla->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Down:
        linhas = 1;
        break;
    case Qt::Key_Up:
        linhas = -1;
        break;
    case Qt::Key_Left:
        colunas = m_editaDigitando ? -1 : 0;
        break;
    case Qt::Key_Right:
        colunas = m_editaDigitando ? 1 : 0;
        break;
    default:
        break;
    }
    const bool confirma = linhas != 0 || colunas != 0 || tecla->key() == Qt::Key_Return ||
                          tecla->key() == Qt::Key_Enter;
    if (!confirma)
        return QTableView::eventFilter(objeto, evento);
    ConfirmaEdicao();
    move(linhas, colunas);
    return true;
}

void ControleGrade::keyPressEvent(QKeyEvent* event) {
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
        state() != QAbstractItemView::EditingState) {
        move(1, 0);
        return;
    }
    QTableView::keyPressEvent(event);
}

QModelIndex ControleGrade::moveCursor(CursorAction acao, Qt::KeyboardModifiers modificadores) {
    const QModelIndex atual = currentIndex();
    if ((acao != MoveNext && acao != MovePrevious) || !atual.isValid())
        return QTableView::moveCursor(acao, modificadores);
    const int linhas = m_modelo->rowCount(), colunas = m_modelo->columnCount();
    int linha = atual.row(), coluna = atual.column();
    for (int passos = linhas * colunas; passos > 0; --passos) {
        if (acao == MoveNext && ++coluna >= colunas) {
            coluna = 0;
            linha = (linha + 1) % linhas;
        } else if (acao == MovePrevious && --coluna < 0) {
            coluna = colunas - 1;
            linha = (linha + linhas - 1) % linhas;
        }
        const QModelIndex destino = m_modelo->index(linha, coluna);
        if (!isRowHidden(linha) && !isColumnHidden(coluna) &&
            (m_modelo->flags(destino) & Qt::ItemIsEditable))
            return destino;
    }
    return atual;
}

void ControleGrade::move(int linhas, int colunas) {
    const QModelIndex atual = currentIndex();
    if (!atual.isValid())
        return;
    int coluna = atual.column() + colunas;
    // Hidden columns (the row index) are passed over.
    while (coluna >= 0 && coluna < m_modelo->columnCount() && isColumnHidden(coluna))
        coluna += colunas < 0 ? -1 : 1;
    const QModelIndex destino = m_modelo->index(atual.row() + linhas, coluna);
    if (destino.isValid())
        setCurrentIndex(destino);
}

} // namespace grade
