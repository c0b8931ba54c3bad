#include "runtime/core/Regional.h"

#include <QTime>

#include <cmath>

namespace {

RegionalSettings& current() {
    static RegionalSettings settings;
    return settings;
}

// Windows reads each item into a 64-byte buffer; an item that does not fit is unreadable.
std::optional<QString> fitting(const std::optional<QString>& item) {
    if (item && item->size() < 64)
        return item;
    return std::nullopt;
}

QChar firstChar(const std::optional<QString>& item, QChar fallback) {
    const auto fit = fitting(item);
    return fit && !fit->isEmpty() ? fit->front() : fallback;
}

// The separator of a pattern: its first character that is neither a letter nor a blank.
std::optional<QString> separatorOf(const QString& pattern) {
    for (QChar c : pattern)
        if (!c.isLetter() && !c.isSpace() && c != u'\'')
            return QString(c);
    return std::nullopt;
}

} // namespace

LocaleItems LocaleItems::from(const QLocale& locale) {
    LocaleItems items;
    items.decimalSeparator = locale.decimalPoint();
    items.thousandsSeparator = locale.groupSeparator();
    const QString time = locale.timeFormat(QLocale::ShortFormat);
    items.timeSeparator = separatorOf(time);
    items.timeFormat =
        time.contains(u"ap", Qt::CaseInsensitive) ? QStringLiteral("0") : QStringLiteral("1");
    items.amDesignator = locale.amText();
    items.pmDesignator = locale.pmText();

    const QString date = locale.dateFormat(QLocale::ShortFormat);
    const qsizetype day = date.indexOf(u'd');
    const qsizetype month = date.indexOf(u'M');
    const qsizetype year = date.indexOf(u'y');
    if (day >= 0 && month >= 0 && year >= 0)
        items.dateOrder = year < month  ? QStringLiteral("2")
                          : day < month ? QStringLiteral("1")
                                        : QStringLiteral("0");
    items.dateSeparator = separatorOf(date);
    items.shortDatePattern = date;
    items.decimalDigits = QStringLiteral("2");
    return items;
}

RegionalSettings RegionalSettings::forMode(InternationalMode mode, const LocaleItems& items) {
    RegionalSettings s;
    s.mode = mode;
    if (mode != InternationalMode::Windows) {
        s.twelveHourClock = false;
        s.amSuffix.clear();
        s.pmSuffix.clear();
        s.dateFormat = QStringLiteral("MM/DD/YY");
        s.century = false;
        return s;
    }

    s.decimalSeparator = firstChar(items.decimalSeparator, u'.');
    s.thousandsSeparator = firstChar(items.thousandsSeparator, u',');
    s.timeSeparator = firstChar(items.timeSeparator, u':');
    if (const auto t = fitting(items.timeFormat))
        s.twelveHourClock = Val(*t) == 0;
    if (const auto am = fitting(items.amDesignator))
        s.amSuffix = u' ' + *am;
    if (const auto pm = fitting(items.pmDesignator))
        s.pmSuffix = u' ' + *pm;

    const auto order = fitting(items.dateOrder);
    const int dateOrder = order ? int(Val(*order)) : 0;
    const QString separator(firstChar(items.dateSeparator, u'/'));
    const auto pattern = fitting(items.shortDatePattern);
    const QString shortDate = pattern ? pattern->toUpper() : QStringLiteral("mm/dd/yy");
    const QString yearPart =
        shortDate.contains(u"YYYY") ? QStringLiteral("YYYY") : QStringLiteral("YY");
    const QString dd = QStringLiteral("DD"), mm = QStringLiteral("MM");
    switch (dateOrder) {
    case 1:
        s.dateFormat = dd + separator + mm + separator + yearPart;
        break;
    case 2:
        s.dateFormat = yearPart + separator + mm + separator + dd;
        break;
    default:
        s.dateFormat = mm + separator + dd + separator + yearPart;
        break;
    }

    if (const auto digits = fitting(items.decimalDigits))
        s.decimals = int(Val(*digits));
    s.century = true;
    s.epoch = 1910;
    return s;
}

const RegionalSettings& regionalSettings() {
    return current();
}

InternationalMode SetInternational(InternationalMode mode, const LocaleItems& items) {
    const InternationalMode previous = current().mode;
    current() = RegionalSettings::forMode(mode, items);
    return previous;
}

InternationalMode SetInternational() {
    return current().mode;
}

QString Str(double value, int width, int decimals) {
    if (!std::isfinite(value))
        value = 0;
    QString text = QString::number(value, 'f', decimals);
    const qsizetype point = decimals > 0 ? 1 : 0;
    if (text.startsWith(u'-') && text.count(u'0') == text.size() - 1 - point)
        text.remove(0, 1); // a value that rounds to zero is written without a sign
    if (point)
        text[text.size() - decimals - 1] = current().decimalSeparator;
    return text.rightJustified(width, u' ');
}

QString ComMilhares(double valor, int decimais) {
    QString texto = Str(valor, 0, decimais).trimmed();
    const qsizetype inicio = texto.startsWith(u'-') ? 1 : 0;
    qsizetype fim = decimais > 0 ? texto.size() - decimais - 1 : texto.size();
    for (fim -= 3; fim > inicio; fim -= 3)
        texto.insert(fim, current().thousandsSeparator);
    return texto;
}

double Val(QStringView text) {
    const auto isDigit = [](QChar c) { return c >= u'0' && c <= u'9'; };
    const qsizetype n = text.size();
    qsizetype i = 0;
    while (i < n && text[i] == u' ')
        ++i;
    QString number;
    if (i < n && (text[i] == u'-' || text[i] == u'+'))
        number += text[i++];
    bool digits = false;
    for (; i < n && isDigit(text[i]); ++i, digits = true)
        number += text[i];
    if (i < n && text[i] == u'.') {
        number += text[i++];
        for (; i < n && isDigit(text[i]); ++i, digits = true)
            number += text[i];
    }
    return digits ? number.toDouble() : 0;
}

double ValorDoTexto(const QString& texto) {
    return Val(QString(texto).replace(u',', u'.'));
}

QString DateToText(const QDate& date) {
    const RegionalSettings& s = current();
    const auto number = [](int n, int width) {
        return QStringLiteral("%1").arg(n, width, 10, QLatin1Char('0'));
    };
    const bool fourDigits = s.century || s.dateFormat.contains(u"YYYY");
    const QString year = fourDigits ? number(date.year(), 4) : number(date.year() % 100, 2);
    QString text;
    PercorreFormatoDeData(
        s.dateFormat,
        [&](CampoDeData campo) {
            text += campo == CampoDeData::Ano   ? year
                    : campo == CampoDeData::Mes ? number(date.month(), 2)
                                                : number(date.day(), 2);
        },
        [&](QChar separador) { text += separador; });
    return text;
}

QString TimeToText(const QTime& time) {
    const RegionalSettings& s = current();
    const auto two = [](int n) { return QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0')); };
    int hour = time.hour();
    QString suffix;
    if (s.twelveHourClock) {
        suffix = hour < 12 ? s.amSuffix : s.pmSuffix;
        hour = hour % 12 == 0 ? 12 : hour % 12;
    }
    const QString sep(s.timeSeparator);
    return two(hour) + sep + two(time.minute()) + sep + two(time.second()) + suffix;
}
