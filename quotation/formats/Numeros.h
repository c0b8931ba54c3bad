#pragma once

#include <QString>

class QObject;
class QValidator;

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

// Amounts as the program takes them: at most 9 digits, one "," or "." and two decimals; no sign
// and no thousands separators, which would turn 1.234,50 into 1,23 when the amount is read.
// Full-width digits read as plain ones (nucleo::TextoDeValor).
bool ValorAceito(const QString& texto);
// The same rule as the keyboard meets it in a field or a cell: what does not fit is not typed,
// and full-width digits become plain ones as they are typed.
QValidator* NovoValidadorDeValor(QObject* dono);

} // namespace formatos
