#pragma once

#include "grade/ControleGrade.h"
#include "grade/FlexCell.h"

#include <QString>

#include <optional>
#include <span>

namespace cotacao {

// One column of a grid laid out by the quotation form: its heading and looks.
struct ColunaGrade {
    QString titulo;
    int largura;
    int alinhamento;
    std::optional<bool> bloqueada; // unset: left as the grid has it
    bool numero;                   // two decimals, numeric mask
    // What a numeric column holds: amounts of money, or the quotation's quantities.
    grade::Leitura leitura = grade::Leitura::Quantia;
};

// Writes the headings of row 0 and the columns' settings; column 0, the hidden row index, only
// gets its heading and width.
inline void AplicaColunas(FlexCell& grade, std::span<const ColunaGrade> colunas) {
    for (int c = 0; c < int(colunas.size()); ++c) {
        const ColunaGrade& col = colunas[c];
        grade.Cell(0, c).Text(col.titulo);
        FlexCell_Column coluna = grade.Column(c);
        coluna.Width(col.largura);
        if (c == 0)
            continue;
        coluna.Alignment(col.alinhamento);
        if (col.bloqueada)
            coluna.Locked(*col.bloqueada);
        coluna.CellType(0);
        if (col.numero) {
            coluna.FormatString(QStringLiteral("##,##0.00"));
            coluna.DecimalLength(2);
            coluna.Mask(grade::kMascaraNumerica);
            // Not a member of the grid control's: how our grid reads the column's numbers.
            if (grade::ControleGrade* controle = grade.controle())
                controle->modelo()->dados().coluna(c).leitura = col.leitura;
        }
    }
}

} // namespace cotacao
