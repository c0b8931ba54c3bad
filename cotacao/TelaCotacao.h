#pragma once

#include <QString>

class QLabel;
class QLineEdit;
class QWidget;

namespace grade {
class ControleGrade;
}

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

    // Builds them all in `area`, sized in dialog units, in the tab order of the terms.
    static TelaCotacao Monta(QWidget* area);

    // The term field of that name, or none.
    QLineEdit* termo(const QString& nome) const;
    // The amounts shown as the answer writes them: two decimals, the regional separator.
    void formataQuantias() const;
};
