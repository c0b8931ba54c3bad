#pragma once

#include <QChar>
#include <QDate>
#include <QLocale>
#include <QString>

#include <optional>

// Regional settings: how numbers, dates and times are shown. They are taken once at start-up
// from the user's locale and hold for the whole process.

namespace nucleo {

enum class ModoInternacional {
    Windows,   // taken from the user's locale
    Americano, // fixed: ".", ",", ":", 24 h, MM/DD/YY
    Classico,  // fixed, same values as Americano; kept as a mode of its own
};

// The locale items the settings are built from, as texts. An item that cannot be read is
// empty (std::nullopt).
struct ItensDaLocalidade {
    std::optional<QString> separadorDecimal;    // first character used
    std::optional<QString> separadorDeMilhares; // first character used
    std::optional<QString> separadorDeHora;     // first character used
    std::optional<QString> formatoDeHora;       // "0" for a 12-hour clock, "1" for 24 hours
    std::optional<QString> designadorManha;
    std::optional<QString> designadorTarde;
    std::optional<QString> ordemDaData; // "0" month-day-year, "1" day-month-year, "2" year first
    std::optional<QString> separadorDeData;   // first character used
    std::optional<QString> padraoDeDataCurta; // e.g. "dd/MM/yyyy"
    std::optional<QString> digitosDecimais;   // e.g. "2"

    static ItensDaLocalidade de(const QLocale& localidade);
};

struct ConfiguracaoRegional {
    ModoInternacional modo = ModoInternacional::Windows;
    QChar separadorDecimal = u'.';
    QChar separadorDeMilhares = u',';
    QChar separadorDeHora = u':';
    bool relogioDe12Horas = true;
    QString sufixoManha = QStringLiteral(" am");
    QString sufixoTarde = QStringLiteral(" pm");
    QString formatoDeData = QStringLiteral("MM/DD/YY"); // built from "DD", "MM", "YY" or "YYYY"
    int decimais = 2;
    bool seculo = true;
    int epoca = 1910;

    // The settings of a mode; the locale items are read only in the Windows mode, each one
    // falling back to its default when it cannot be read.
    static ConfiguracaoRegional doModo(ModoInternacional modo, const ItensDaLocalidade& itens);
};

// The settings in force.
const ConfiguracaoRegional& ConfiguracaoEmVigor();

// A number as a format such as "##,##0.00" shows it: `decimais` decimals and the regional
// thousands separator between groups of three digits ("1.234,50" under pt_BR).
QString ComMilhares(double valor, int decimais);
// A number text such as "1234567,50" or "-1234" with the regional thousands separator put
// between its integer digits' groups of three ("1.234.567,50").
QString AgrupaMilhares(QString numero);

// The leading number of an amount typed in either decimal convention: every "," read as ".".
double ValorDoTexto(const QString& texto);

// An amount as the program reads it: digits and separators of other widths, as an Asian input
// method types them ("１２，５"), become their plain forms (Unicode NFKC); plain text is returned
// as it is.
QString TextoDeValor(const QString& texto);

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

} // namespace nucleo

// The runtime's own functions keep the runtime's names: SetInternational and the conversions
// the forms use (Str, Val, DateToText, TimeToText).

// Puts the settings of a mode in force and answers the mode that was in force before.
nucleo::ModoInternacional SetInternational(
    nucleo::ModoInternacional modo,
    const nucleo::ItensDaLocalidade& itens = nucleo::ItensDaLocalidade::de(QLocale::system()));
nucleo::ModoInternacional SetInternational();

// Number to text: right-aligned in `largura` characters with `decimais` decimals and the
// regional decimal separator, never grouped. A number too wide for `largura` is written whole
// rather than cut, so no figure is ever lost.
QString Str(double valor, int largura = 12, int decimais = 2);

// The leading number of a text ("." as decimal point, blanks before it skipped); 0 when none.
double Val(QStringView texto);

// A date as the regional date format shows it (with the century when it is on).
QString DateToText(const QDate& data);

// A time as hh:mm:ss with the regional separator (24 hours or 12 with the suffixes).
QString TimeToText(const QTime& hora);
