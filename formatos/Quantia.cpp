#include "formatos/Quantia.h"

#include "nucleo/Regional.h"

#include <algorithm>
#include <cmath>

using namespace nucleo;

namespace formatos {

namespace {

constexpr qint64 kLimiteInteiro = 1'000'000'000; // 9 digits before the separator

qint64 potencia(int decimais) {
    qint64 p = 1;
    while (decimais-- > 0)
        p *= 10;
    return p;
}

bool soDigitos(QStringView t) {
    return std::all_of(t.begin(), t.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
}

// "1.234.567" grouped by `separador`: a first group of 1 to 3 digits, then groups of 3.
std::optional<QString> semGrupos(QStringView inteiro, QChar separador) {
    QString digitos;
    qsizetype grupo = 0;
    for (const QStringView parte : inteiro.tokenize(separador)) {
        if (!soDigitos(parte) || parte.isEmpty() || parte.size() > 3 ||
            (grupo > 0 && parte.size() != 3))
            return std::nullopt;
        digitos += parte;
        ++grupo;
    }
    return digitos;
}

// "R$ 8,99" as "8,99": the currency sign and the blanks after it (Unicode's, the no-break ones
// included) taken off. Any other text is returned as it is.
QStringView semMoeda(QStringView texto) {
    const QStringView t = texto.trimmed();
    if (!t.startsWith(u"R$"))
        return texto;
    const QStringView resto = t.sliced(2).trimmed();
    return resto.isEmpty() ? texto : resto;
}

} // namespace

std::optional<qint64> LeDecimal(QStringView original, int decimais) {
    const QString normalizado = TextoDeValor(original.toString());
    const QStringView texto = QStringView(normalizado).trimmed();
    const qsizetype pontos = texto.count(u'.'), virgulas = texto.count(u',');
    QStringView inteiro = texto, fracao;
    QString agrupado;
    if (pontos + virgulas == 1 || (pontos == 1 && virgulas > 0) || (virgulas == 1 && pontos > 0)) {
        // The last separator is the decimal one, and it is there once.
        const qsizetype s = std::max(texto.lastIndexOf(u'.'), texto.lastIndexOf(u','));
        inteiro = texto.first(s);
        fracao = texto.sliced(s + 1);
        if (pontos + virgulas > 1) {
            const QChar grupos = texto[s] == u',' ? u'.' : u',';
            const auto digitos = semGrupos(inteiro, grupos);
            if (!digitos)
                return std::nullopt;
            agrupado = *digitos;
            inteiro = agrupado;
        }
    } else if (pontos + virgulas > 1) {
        // One separator repeated groups the thousands; there are no decimals.
        if (pontos > 0 && virgulas > 0)
            return std::nullopt;
        const auto digitos = semGrupos(texto, pontos > 0 ? u'.' : u',');
        if (!digitos)
            return std::nullopt;
        agrupado = *digitos;
        inteiro = agrupado;
    }
    if (!soDigitos(inteiro) || !soDigitos(fracao) || fracao.size() > decimais ||
        inteiro.size() + fracao.size() == 0)
        return std::nullopt;
    while (inteiro.size() > 1 && inteiro.front() == u'0')
        inteiro = inteiro.sliced(1);
    if (inteiro.size() > 9)
        return std::nullopt;
    const qint64 unidades = inteiro.isEmpty() ? 0 : inteiro.toLongLong();
    qint64 partes = 0;
    for (qsizetype i = 0; i < decimais; ++i)
        partes = partes * 10 + (i < fracao.size() ? fracao[i].unicode() - u'0' : 0);
    return unidades * potencia(decimais) + partes;
}

std::optional<Quantia> Quantia::le(QStringView texto) {
    if (texto.trimmed().isEmpty())
        return Quantia();
    const auto centavos = LeDecimal(semMoeda(texto), 2);
    return centavos ? std::optional(Quantia(*centavos)) : std::nullopt;
}

std::optional<Quantia> Quantia::deNumero(double reais) {
    if (!std::isfinite(reais) || reais < 0 || reais >= double(kLimiteInteiro))
        return std::nullopt;
    const double centavos = std::round(reais * 100);
    if (std::abs(reais * 100 - centavos) > 1e-6)
        return std::nullopt;
    return Quantia(qint64(centavos));
}

QString Quantia::numero() const {
    return NumeroDeCentavos(m_centavos);
}

QString Quantia::mostrada() const {
    return MostraCentavos(m_centavos);
}

std::optional<Quantidade> Quantidade::le(QStringView texto) {
    const auto milesimos = LeDecimal(texto, 3);
    return milesimos ? std::optional(Quantidade(*milesimos)) : std::nullopt;
}

Centavos Subtotal(Quantidade quantidade, Quantia preco) {
    // Both are at least zero, so half away from zero is half up.
    return (Centavos(quantidade.milesimos()) * preco.centavos() + 500) / 1000;
}

QString NumeroDeCentavos(Centavos centavos) {
    const bool negativo = centavos < 0;
    if (negativo)
        centavos = -centavos;
    QString digitos;
    do {
        digitos.prepend(QChar(u'0' + int(centavos % 10)));
        centavos /= 10;
    } while (centavos > 0 || digitos.size() < 3);
    digitos.insert(digitos.size() - 2, ConfiguracaoEmVigor().separadorDecimal);
    return negativo ? u'-' + digitos : digitos;
}

QString MostraCentavos(Centavos centavos) {
    return AgrupaMilhares(NumeroDeCentavos(centavos));
}

QString MostraDecimal(qint64 unidades, int decimais, int casas, bool milhares) {
    const bool negativo = unidades < 0;
    QString digitos =
        QString::number(negativo ? -unidades : unidades).rightJustified(decimais + 1, u'0');
    QString inteiro = digitos.first(digitos.size() - decimais);
    QString fracao = digitos.sliced(digitos.size() - decimais);
    while (fracao.size() > casas && fracao.endsWith(u'0'))
        fracao.chop(1);
    if (fracao.size() < casas)
        fracao += QString(casas - fracao.size(), u'0');
    QString texto =
        fracao.isEmpty() ? inteiro : inteiro + ConfiguracaoEmVigor().separadorDecimal + fracao;
    if (milhares)
        texto = AgrupaMilhares(texto);
    return negativo ? u'-' + texto : texto;
}

QString NumeroDePlanilha(double valor) {
    if (!std::isfinite(valor))
        return QString::number(valor);
    // The fewest decimals from two on that give the number back.
    QString texto;
    for (int casas = 2; casas <= 6; ++casas) {
        texto = QString::number(valor, 'f', casas);
        if (texto.toDouble() == valor)
            break;
    }
    return texto.replace(u'.', u',');
}

Digitacao DigitacaoDeQuantia(QString& texto) {
    texto = TextoDeValor(texto);
    if (Quantia::le(texto))
        return Digitacao::Aceita;
    // The currency sign typed first ("R", "R$ ", "R$ 8,"): what follows it is the amount.
    QStringView resto = texto;
    if (texto == u"R" || texto.startsWith(u"R$")) {
        resto = resto.sliced(texto == u"R" ? 1 : 2).trimmed();
        if (resto.isEmpty())
            return Digitacao::Incompleta;
    }
    // The start of an amount: some digits and separators more make one.
    const auto soSeparadoresEDigitos = std::all_of(resto.cbegin(), resto.cend(), [](QChar c) {
        return (c >= u'0' && c <= u'9') || c == u'.' || c == u',';
    });
    static const QString digitos[] = {QString(), QStringLiteral("0"), QStringLiteral("00"),
                                      QStringLiteral("000")};
    static const QString decimais[] = {QString(), QStringLiteral(",0"), QStringLiteral(".0")};
    if (soSeparadoresEDigitos)
        for (const QString& d : digitos)
            for (const QString& f : decimais)
                if (LeDecimal(QString(resto.toString() + d + f), 2))
                    return Digitacao::Incompleta;
    return Digitacao::Recusada;
}

QString TextoDeQuantia(const QString& texto) {
    if (texto.trimmed().isEmpty())
        return QString();
    const auto quantia = Quantia::le(texto);
    return quantia ? quantia->numero() : texto;
}

} // namespace formatos
