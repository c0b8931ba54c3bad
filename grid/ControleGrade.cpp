#include "grid/ControleGrade.h"

#include "grid/ImpressaoGrade.h"
#include "runtime/Regional.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QRegularExpressionValidator>
#include <QStyledItemDelegate>

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

// Numeric cells take an amount (NovoValidadorDeValor).
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
            linha->setValidator(NovoValidadorDeValor(linha));
            linha->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        }
        return editor;
    }
};

} // namespace

QValidator* NovoValidadorDeValor(QObject* dono) {
    static const QRegularExpression valor(QStringLiteral("[0-9]{0,9}([.,][0-9]{0,2})?"));
    return new QRegularExpressionValidator(valor, dono);
}

void ModeloGrade::recarrega() {
    beginResetModel();
    sincroniza();
    endResetModel();
}

void ModeloGrade::sincroniza() {
    m_pendente = false;
    m_visiveis = std::max(m_dados.linhas() - 1, 0);
}

void ModeloGrade::setTexto(int linha, int coluna, const QString& texto) {
    if (!m_dados.valida(linha, coluna))
        return;
    Celula& celula = m_dados.celula(linha, coluna);
    if (celula.texto == texto)
        return;
    celula.texto = texto;
    if (linha == 0)
        Q_EMIT headerDataChanged(Qt::Horizontal, coluna, coluna);
    else if (linha - 1 < m_visiveis)
        Q_EMIT dataChanged(index(linha - 1, coluna), index(linha - 1, coluna));
    Q_EMIT CellChange(linha, coluna);
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
    viewport()->update();
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

void ControleGrade::closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) {
    QTableView::closeEditor(editor, hint == QAbstractItemDelegate::SubmitModelCache
                                        ? QAbstractItemDelegate::NoHint
                                        : hint);
    if (hint == QAbstractItemDelegate::SubmitModelCache)
        desce();
}

void ControleGrade::keyPressEvent(QKeyEvent* event) {
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
        state() != QAbstractItemView::EditingState) {
        desce();
        return;
    }
    QTableView::keyPressEvent(event);
}

void ControleGrade::desce() {
    const QModelIndex atual = currentIndex();
    if (!atual.isValid())
        return;
    const QModelIndex abaixo = m_modelo->index(atual.row() + 1, atual.column());
    if (abaixo.isValid())
        setCurrentIndex(abaixo);
}
