#pragma once

#include <QString>
#include <QStringView>

#include <compare>
#include <optional>

// Every figure of the answer, read and written in one place: an amount of money (a price, the
// minimum order, the freight), a quantity of the quotation, and the cents of a line or a total.
namespace formatos {

// The default of the money keys and the initial price of every product row.
inline const QString kValorZero = QStringLiteral("0,00");

// Cents of a subtotal or a total: a line of the largest quantity at the largest price is about
// 10^20 cents, past what 64 bits hold.
__extension__ typedef __int128 Centavos;

// A number text as the program reads one: digits with "," or "." as the decimal separator
// ("12,5", "12.50"), or grouped in thousands by the other one ("1.234,56", "1,234.56"), or by
// either repeated ("1.234.567"); at most 9 digits before the separator and `decimais` after it;
// blanks around it and full-width digits (nucleo::TextoDeValor) are allowed. A single separator
// followed by more digits than `decimais` ("1.234" for an amount) could be either, and is
// refused. The value is in units of 10^-decimais; nothing when the text is anything else (a
// sign, an exponent, a letter, more digits, an empty text): such a text is never read as
// another number.
std::optional<qint64> LeDecimal(QStringView texto, int decimais);

// An amount of money, in cents: at least 0, below 10^9 reais.
class Quantia {
public:
    constexpr Quantia() = default;

    // A text under the amount rule (LeDecimal with two decimals); a blank text is zero (a price
    // not filled in). Nothing when the rule refuses the text. The currency sign that Excel and
    // LibreOffice put before an amount they show as currency ("R$ 8,99", "R$8,99", with an
    // ordinary or a no-break space) is read as the amount; a sign before it ("-R$ 5,00") and
    // "R$" alone are not amounts.
    static std::optional<Quantia> le(QStringView texto);
    // A spreadsheet's number: nothing unless it is a whole number of cents within the limits.
    static std::optional<Quantia> deNumero(double reais);

    qint64 centavos() const { return m_centavos; }
    bool zero() const { return m_centavos == 0; }
    double reais() const { return double(m_centavos) / 100; }

    // The answer file's number text: two decimals with the regional separator, no grouping
    // ("1234,50"), as the runtime's number-to-text conversion of width 12 writes it.
    QString numero() const;
    // As the grid and the report show it: grouped in thousands ("1.234,50").
    QString mostrada() const;

    friend auto operator<=>(const Quantia&, const Quantia&) = default;

private:
    constexpr explicit Quantia(qint64 centavos)
        : m_centavos(centavos) {}
    qint64 m_centavos = 0;
};

// A quantity of the quotation file, in thousandths: at least 0, below 10^9, up to three decimals.
class Quantidade {
public:
    constexpr Quantidade() = default;
    // Nothing when the text is not such a quantity (LeDecimal with three decimals).
    static std::optional<Quantidade> le(QStringView texto);
    qint64 milesimos() const { return m_milesimos; }
    double valor() const { return double(m_milesimos) / 1000; }

private:
    constexpr explicit Quantidade(qint64 milesimos)
        : m_milesimos(milesimos) {}
    qint64 m_milesimos = 0;
};

// The one rounding of money: a line's subtotal is quantity times price rounded to the cent, half
// away from zero; a total is the sum of its lines' subtotals.
Centavos Subtotal(Quantidade quantidade, Quantia preco);

// Cents of any size as the answer file writes an amount ("1234,50") and as the grid and the
// report show one ("1.234,50").
QString NumeroDeCentavos(Centavos centavos);
QString MostraCentavos(Centavos centavos);

// A number of `unidades` in units of 10^-decimais as a numeric column of `casas` decimals shows
// it: at least `casas` decimals, more only where the number has them (a quantity of 1,235 in a
// column of two decimals shows "1,235", never another number), with the regional decimal
// separator, and grouped in thousands when `milhares` ("1.234,50").
QString MostraDecimal(qint64 unidades, int decimais, int casas, bool milhares);

// A number of a spreadsheet's cell as a .csv for a Brazilian spreadsheet writes it: a decimal
// comma, two decimals, more where the number has them (a quantity's third), no grouping.
QString NumeroDePlanilha(double valor);

// What a field or a cell of an amount may hold while it is typed: a whole amount, the start of
// one ("1.234" on its way to "1.234,56", "R$ " on its way to "R$ 8,99"), or neither. Full-width
// digits are made plain in `texto` as they are typed.
enum class Digitacao { Aceita, Incompleta, Recusada };
Digitacao DigitacaoDeQuantia(QString& texto);

// An amount field as a numeric field of length 12 with 2 decimals shows it once left: its number
// text ("150" and "150.5" become "150,00" and "150,50" with the comma); an empty field stays
// empty, and a text the amount rule refuses stays as typed.
QString TextoDeQuantia(const QString& texto);

} // namespace formatos
