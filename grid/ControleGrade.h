#pragma once

#include "grid/DadosGrade.h"
#include "grid/Relatorio.h"

#include <QAbstractTableModel>
#include <QTableView>

#include <functional>

class QValidator;

namespace grade {

// Amounts as the program takes them: at most 9 digits, one "," or "." and two decimals; no sign
// and no thousands separators, which would turn 1.234,50 into 1,23 when the amount is read.
QValidator* NovoValidadorDeValor(QObject* dono);
// The same rule for a whole text that did not come from the keyboard (a paste, a spreadsheet).
// Both read full-width digits as plain ones (nucleo::TextoDeValor); a cell takes the plain text.
bool ValorAceito(const QString& texto);

// One cell's text before and after a change.
struct AlteracaoDeCelula {
    int linha = 0;
    int coluna = 0;
    QString antes;
    QString depois;
    friend bool operator==(const AlteracaoDeCelula&, const AlteracaoDeCelula&) = default;
};

// The grid's cells as a Qt model: model rows are the grid's rows from 1 on (row 0 is the
// header), model columns the grid's columns (column 0, the row index, usually hidden).
class ModeloGrade : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit ModeloGrade(QObject* parent = nullptr)
        : QAbstractTableModel(parent) {}

    DadosGrade& dados() { return m_dados; }
    const DadosGrade& dados() const { return m_dados; }

    // Rows added without redrawing become visible with this. Nothing is reset, so an edit in
    // progress and the current cell stay as they are.
    void recarrega();

    // Sets a cell's text as typing would; raises CellChange when it changed.
    void setTexto(int linha, int coluna, const QString& texto);
    // Sets many cells at once (a paste, an import, an undo): CellChange for each cell that
    // changed, Alteradas once for all of them, one repaint. Cells outside the grid are skipped.
    void setTextos(const QList<AlteracaoDeCelula>& alteracoes);

    // What a form adds to the cells' looks: a tip, a background, for a row and column and a
    // Qt role; an invalid value leaves the cell as it is.
    using Decorador = std::function<QVariant(int linha, int coluna, int papel)>;
    void setDecorador(Decorador decorador) { m_decorador = std::move(decorador); }
    void setLinhas(int n);
    void setColunas(int n);
    void adicionaLinha(const QString& textos, bool redesenhar);
    void removeLinhas(int linha1, int linha2);
    void celulasMudaram(int linha1, int coluna1, int linha2, int coluna2);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

Q_SIGNALS:
    void CellChange(int linha, int coluna);
    // The cells that changed, with their texts before and after, once per change made.
    void Alteradas(const QList<AlteracaoDeCelula>& alteracoes);

private:
    void sincroniza();
    Decorador m_decorador;

    DadosGrade m_dados;
    bool m_pendente = false; // rows added without redrawing, not yet shown
    int m_visiveis = 0;      // the model rows the views know of
};

// The grid control: a table that behaves like a spreadsheet. A click selects a cell, typing
// replaces its content, F2 or a double click edits it in place. While editing, Enter and the
// up and down arrows commit and move one cell (left and right too when the edit began by
// typing; after F2 they move within the text), Tab commits and edits the next cell, Escape
// drops the edit. Numeric columns take a number with at most two decimals, "," or "." as
// separator.
class ControleGrade : public QTableView {
    Q_OBJECT
public:
    explicit ControleGrade(QWidget* parent = nullptr);

    ModeloGrade* modelo() const { return m_modelo; }

    void setExtendLastCol(bool on);
    void setDisplayRowIndex(bool on);
    void setAllowUserResizing(bool on);
    void setBackColorBkg(const QColor& cor);
    // Applies the columns' widths to the view.
    void aplicaLarguras();
    void Refresh();

    // Commits the cell being edited, if any, through the grid's validation, as leaving the cell
    // would; true when an editor was open.
    bool ConfirmaEdicao();
    bool editando() const { return state() == QAbstractItemView::EditingState; }

    // The report facility: titles, page set-up, preview.
    Relatorio& relatorio() { return m_relatorio; }
    void PrintPreview(int zoom);
    using Visualizador = std::function<void(ControleGrade& grade, int zoom)>;
    static void setVisualizador(Visualizador visualizador);

Q_SIGNALS:
    void CellChange(int linha, int coluna);
    // The text of the cell being edited changed (not yet committed).
    void EditandoCelula(int linha, int coluna);

protected:
    bool edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) override;
    bool eventFilter(QObject* objeto, QEvent* evento) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void move(int linhas, int colunas);

    bool m_editaDigitando = false; // the edit began by typing over the cell

    ModeloGrade* m_modelo;
    Relatorio m_relatorio;
};

} // namespace grade
