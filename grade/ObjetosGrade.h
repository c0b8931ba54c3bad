#pragma once

#include "grade/Automacao.h"

namespace grade {

class ControleGrade;

// The objects the grid control hands out through automation: the control itself, a cell, a
// column, a range, the report titles and page set-up, and the standard font.
Despacho DespachoDaGrade(ControleGrade* grade);

// Registers "FlexCell.ReportTitle" and "StdFont" as classes that can be created free-standing.
void RegistraClassesDaGrade();

// An OLE colour (0x00BBGGRR) from its parts.
constexpr qint32 CorOle(int r, int g, int b) {
    return r | (g << 8) | (b << 16);
}

} // namespace grade
