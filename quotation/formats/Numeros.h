#pragma once

#include <QString>

namespace formatos {

// The default of the money keys and the initial price of every product row.
inline const QString kValorZero = QStringLiteral("0,00");

// The number text of a price or amount typed in either decimal convention ("12,5", "12.50"):
// every "," read as ".", the leading number taken (0 when none), written with two decimals and
// the regional decimal separator, no grouping, no blanks.
QString TextoNumero(const QString& texto);

// An amount field as a numeric field of length 12 with 2 decimals shows it once left: the number
// text of what was typed ("150" and "150.5" become "150,00" and "150,50" with the comma); an
// empty field stays empty.
QString TextoDeQuantia(const QString& texto);

} // namespace formatos
