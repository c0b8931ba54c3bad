#pragma once

#include <QSize>
#include <QString>

class QGroupBox;
class QLabel;
class QLineEdit;
class QWidget;

namespace grade {
class ControleGrade;
}

namespace cotacao {

// The quotation window's controls, where the quotation's dialog has always put them: the
// general terms, the requester, the notes, the product grid, the hidden report grid and the
// supplier's remarks. The fields carry the names the answer file knows them by.
struct TelaCotacao {
    QLineEdit* formaPgto = nullptr;
    QLineEdit* prazoEntrega = nullptr;
    QLineEdit* pedidoMinimo = nullptr;
    QLineEdit* valorFrete = nullptr;
    QLineEdit* observacoes = nullptr;
    QLabel* solicitante = nullptr;
    grade::ControleGrade* produtos = nullptr;
    grade::ControleGrade* relatorios = nullptr;
    QGroupBox* molduraProdutos = nullptr;
    QGroupBox* molduraObservacoes = nullptr;

    // Builds them all in `area`, sized in dialog units, in the tab order of the terms.
    static TelaCotacao Monta(QWidget* area);

    // The area's size with the grid at its full height.
    static QSize TamanhoInteiro();
    // The most the grid can give up and still show a few rows.
    static int AlturaQueAGradeCede();
    // The grid shorter by `pixels` (0: its full height), the remarks below it moved up with it
    // and `area` as much shorter: on a small screen every control stays within the window.
    void cedeAltura(QWidget* area, int pixels) const;

    // The term field of that name, or none.
    QLineEdit* termo(const QString& nome) const;
    // The amounts shown as the answer writes them: two decimals, the regional separator.
    void formataQuantias() const;
};

} // namespace cotacao
