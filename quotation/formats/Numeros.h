#pragma once

#include <QString>

// The default of the money keys and the initial price of every product row.
inline const QString kValorZero = QStringLiteral("0,00");

// The number text of a price or amount typed in either decimal convention ("12,5", "12.50"):
// every "," read as ".", the leading number taken (0 when none), written with two decimals and
// the regional decimal separator, no grouping, no blanks.
QString TextoNumero(const QString& texto);
