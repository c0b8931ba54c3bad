#pragma once

#include <QChar>
#include <QDate>
#include <QLocale>
#include <QString>

#include <optional>

// Regional settings: how numbers, dates and times are shown. They are taken once at start-up
// from the user's locale and hold for the whole process.

enum class InternationalMode {
    Windows, // taken from the user's locale
    Usa,     // fixed: ".", ",", ":", 24 h, MM/DD/YY
    Classic, // fixed, same values as Usa; kept as a mode of its own
};

// The locale items the settings are built from, as texts. An item that cannot be read is
// empty (std::nullopt).
struct LocaleItems {
    std::optional<QString> decimalSeparator;   // first character used
    std::optional<QString> thousandsSeparator; // first character used
    std::optional<QString> timeSeparator;      // first character used
    std::optional<QString> timeFormat;         // "0" for a 12-hour clock, "1" for 24 hours
    std::optional<QString> amDesignator;
    std::optional<QString> pmDesignator;
    std::optional<QString> dateOrder;     // "0" month-day-year, "1" day-month-year, "2" year first
    std::optional<QString> dateSeparator; // first character used
    std::optional<QString> shortDatePattern; // e.g. "dd/MM/yyyy"
    std::optional<QString> decimalDigits;    // e.g. "2"

    static LocaleItems from(const QLocale& locale);
};

struct RegionalSettings {
    InternationalMode mode = InternationalMode::Windows;
    QChar decimalSeparator = u'.';
    QChar thousandsSeparator = u',';
    QChar timeSeparator = u':';
    bool twelveHourClock = true;
    QString amSuffix = QStringLiteral(" am");
    QString pmSuffix = QStringLiteral(" pm");
    QString dateFormat = QStringLiteral("MM/DD/YY"); // built from "DD", "MM", "YY" or "YYYY"
    int decimals = 2;
    bool century = true;
    int epoch = 1910;

    // The settings of a mode; the locale items are read only in the Windows mode, each one
    // falling back to its default when it cannot be read.
    static RegionalSettings forMode(InternationalMode mode, const LocaleItems& items);
};

// The settings in force.
const RegionalSettings& regionalSettings();

// Puts the settings of a mode in force and answers the mode that was in force before.
InternationalMode SetInternational(InternationalMode mode,
                                   const LocaleItems& items = LocaleItems::from(QLocale::system()));
InternationalMode SetInternational();

// Number to text: right-aligned in `width` characters with `decimals` decimals and the regional
// decimal separator, never grouped. A number too wide for `width` is written whole rather than
// cut, so no figure is ever lost.
QString Str(double value, int width = 12, int decimals = 2);

// A number as a format such as "##,##0.00" shows it: `decimais` decimals and the regional
// thousands separator between groups of three digits ("1.234,50" under pt_BR).
QString ComMilhares(double valor, int decimais);

// The leading number of a text ("." as decimal point, blanks before it skipped); 0 when none.
double Val(QStringView text);

// The leading number of an amount typed in either decimal convention: every "," read as ".".
double ValorDoTexto(const QString& texto);

// A date as the regional date format shows it (with the century when it is on).
QString DateToText(const QDate& date);

enum class CampoDeData { Ano, Mes, Dia };

// Walks a date format such as "DD/MM/YYYY": "YYYY" or "YY" is the year, "MM" the month, "DD"
// the day, any other character a separator. Allocates nothing, so the crash handler walks it
// too.
template <class Campo, class Separador>
void PercorreFormatoDeData(QStringView formato, Campo campo, Separador separador) {
    for (qsizetype i = 0; i < formato.size();) {
        const QStringView resto = formato.sliced(i);
        if (resto.startsWith(u"YYYY")) {
            campo(CampoDeData::Ano);
            i += 4;
        } else if (resto.startsWith(u"YY")) {
            campo(CampoDeData::Ano);
            i += 2;
        } else if (resto.startsWith(u"MM")) {
            campo(CampoDeData::Mes);
            i += 2;
        } else if (resto.startsWith(u"DD")) {
            campo(CampoDeData::Dia);
            i += 2;
        } else {
            separador(formato[i++]);
        }
    }
}

// A time as hh:mm:ss with the regional separator (24 hours or 12 with the suffixes).
QString TimeToText(const QTime& time);
