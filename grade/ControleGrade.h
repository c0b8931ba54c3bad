#pragma once

#include "grade/DadosGrade.h"
#include "grade/Relatorio.h"

#include <QAbstractTableModel>
#include <QTableView>
#include <QValidator>

#include <functional>

namespace grade {

// A validator whose rule is a function of the text, which it may change as it is typed (a
// full-width digit made plain).
class ValidadorDeRegra : public QValidator {
public:
    using Regra = std::function<State(QString& texto)>;
    ValidadorDeRegra(Regra regra, QObject* dono)
        : QValidator(dono)
        , m_regra(std::move(regra)) {}
    State validate(QString& texto, int& posicao) const override;

private:
    Regra m_regra;
};

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

    // Columns whose values another object owns: what is typed or set into them goes to
    // `grava`, and shows in the cells only when the owner hands it back through mostra().
    using Gravador = std::function<void(const QList<AlteracaoDeCelula>& alteracoes)>;
    void setGravador(QList<int> colunas, Gravador grava);
    // Shows values of the owned columns (or any other): setTextos without asking the owner.
    void mostra(const QList<AlteracaoDeCelula>& alteracoes);

    // What numeric cells take while edited: the validator this makes for their editor.
    using FabricaDeValidador = std::function<QValidator*(QObject* dono)>;
    void setValidadorNumerico(FabricaDeValidador fabrica) { m_validador = std::move(fabrica); }
    QValidator* validadorNumerico(QObject* dono) const {
        return m_validador ? m_validador(dono) : nullptr;
    }

    // What a form adds to the cells' looks: the text shown, a tip, a background, for a row and
    // column and a Qt role; an invalid value leaves the cell as it is.
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
    QList<int> m_colunasGravadas;
    Gravador m_gravador;
    FabricaDeValidador m_validador;

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
    // Tab and Shift+Tab (editing or not) walk the cells that take input only.
    QModelIndex moveCursor(CursorAction acao, Qt::KeyboardModifiers modificadores) override;
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
