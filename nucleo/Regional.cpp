#include "nucleo/Regional.h"

#include <QTime>

#include <cmath>

namespace nucleo {
namespace {

ConfiguracaoRegional& emVigor() {
    static ConfiguracaoRegional configuracao;
    return configuracao;
}

// Windows reads each item into a 64-byte buffer; an item that does not fit is unreadable.
std::optional<QString> cabe(const std::optional<QString>& item) {
    if (item && item->size() < 64)
        return item;
    return std::nullopt;
}

QChar primeiroCaractere(const std::optional<QString>& item, QChar padrao) {
    const auto i = cabe(item);
    return i && !i->isEmpty() ? i->front() : padrao;
}

// The separator of a pattern: its first character that is neither a letter nor a blank.
std::optional<QString> separadorDe(const QString& padrao) {
    for (QChar c : padrao)
        if (!c.isLetter() && !c.isSpace() && c != u'\'')
            return QString(c);
    return std::nullopt;
}

} // namespace

ItensDaLocalidade ItensDaLocalidade::de(const QLocale& localidade) {
    ItensDaLocalidade itens;
    itens.separadorDecimal = localidade.decimalPoint();
    itens.separadorDeMilhares = localidade.groupSeparator();
    const QString hora = localidade.timeFormat(QLocale::ShortFormat);
    itens.separadorDeHora = separadorDe(hora);
    itens.formatoDeHora =
        hora.contains(u"ap", Qt::CaseInsensitive) ? QStringLiteral("0") : QStringLiteral("1");
    itens.designadorManha = localidade.amText();
    itens.designadorTarde = localidade.pmText();

    const QString data = localidade.dateFormat(QLocale::ShortFormat);
    const qsizetype dia = data.indexOf(u'd');
    const qsizetype mes = data.indexOf(u'M');
    const qsizetype ano = data.indexOf(u'y');
    if (dia >= 0 && mes >= 0 && ano >= 0)
        itens.ordemDaData = ano < mes   ? QStringLiteral("2")
                            : dia < mes ? QStringLiteral("1")
                                        : QStringLiteral("0");
    itens.separadorDeData = separadorDe(data);
    itens.padraoDeDataCurta = data;
    itens.digitosDecimais = QStringLiteral("2");
    return itens;
}

ConfiguracaoRegional ConfiguracaoRegional::doModo(ModoInternacional modo,
                                                  const ItensDaLocalidade& itens) {
    ConfiguracaoRegional c;
    c.modo = modo;
    if (modo != ModoInternacional::Windows) {
        c.relogioDe12Horas = false;
        c.sufixoManha.clear();
        c.sufixoTarde.clear();
        c.formatoDeData = QStringLiteral("MM/DD/YY");
        c.seculo = false;
        return c;
    }

    c.separadorDecimal = primeiroCaractere(itens.separadorDecimal, u'.');
    c.separadorDeMilhares = primeiroCaractere(itens.separadorDeMilhares, u',');
    c.separadorDeHora = primeiroCaractere(itens.separadorDeHora, u':');
    if (const auto t = cabe(itens.formatoDeHora))
        c.relogioDe12Horas = Val(*t) == 0;
    if (const auto manha = cabe(itens.designadorManha))
        c.sufixoManha = u' ' + *manha;
    if (const auto tarde = cabe(itens.designadorTarde))
        c.sufixoTarde = u' ' + *tarde;

    const auto ordem = cabe(itens.ordemDaData);
    const int ordemDaData = ordem ? int(Val(*ordem)) : 0;
    const QString separador(primeiroCaractere(itens.separadorDeData, u'/'));
    const auto padrao = cabe(itens.padraoDeDataCurta);
    const QString dataCurta = padrao ? padrao->toUpper() : QStringLiteral("mm/dd/yy");
    const QString ano = dataCurta.contains(u"YYYY") ? QStringLiteral("YYYY") : QStringLiteral("YY");
    const QString dd = QStringLiteral("DD"), mm = QStringLiteral("MM");
    switch (ordemDaData) {
    case 1:
        c.formatoDeData = dd + separador + mm + separador + ano;
        break;
    case 2:
        c.formatoDeData = ano + separador + mm + separador + dd;
        break;
    default:
        c.formatoDeData = mm + separador + dd + separador + ano;
        break;
    }

    if (const auto digitos = cabe(itens.digitosDecimais))
        c.decimais = int(Val(*digitos));
    c.seculo = true;
    c.epoca = 1910;
    return c;
}

const ConfiguracaoRegional& ConfiguracaoEmVigor() {
    return emVigor();
}

QString ComMilhares(double valor, int decimais) {
    return AgrupaMilhares(Str(valor, 0, decimais).trimmed());
}

QString AgrupaMilhares(QString numero) {
    const qsizetype inicio = numero.startsWith(u'-') ? 1 : 0;
    qsizetype fim = inicio;
    while (fim < numero.size() && numero[fim] >= u'0' && numero[fim] <= u'9')
        ++fim;
    for (fim -= 3; fim > inicio; fim -= 3)
        numero.insert(fim, emVigor().separadorDeMilhares);
    return numero;
}

double ValorDoTexto(const QString& texto) {
    return Val(TextoDeValor(texto).replace(u',', u'.'));
}

QString TextoDeValor(const QString& texto) {
    for (const QChar c : texto)
        if (c.unicode() >= 0x80)
            return texto.normalized(QString::NormalizationForm_KC);
    return texto;
}

} // namespace nucleo

using nucleo::ConfiguracaoRegional;
using nucleo::ModoInternacional;

ModoInternacional SetInternational(ModoInternacional modo, const nucleo::ItensDaLocalidade& itens) {
    const ModoInternacional anterior = nucleo::emVigor().modo;
    nucleo::emVigor() = ConfiguracaoRegional::doModo(modo, itens);
    return anterior;
}

ModoInternacional SetInternational() {
    return nucleo::emVigor().modo;
}

QString Str(double valor, int largura, int decimais) {
    if (!std::isfinite(valor))
        valor = 0;
    QString texto = QString::number(valor, 'f', decimais);
    const qsizetype ponto = decimais > 0 ? 1 : 0;
    if (texto.startsWith(u'-') && texto.count(u'0') == texto.size() - 1 - ponto)
        texto.remove(0, 1); // a value that rounds to zero is written without a sign
    if (ponto)
        texto[texto.size() - decimais - 1] = nucleo::emVigor().separadorDecimal;
    return texto.rightJustified(largura, u' ');
}

double Val(QStringView texto) {
    const auto digito = [](QChar c) { return c >= u'0' && c <= u'9'; };
    const qsizetype n = texto.size();
    qsizetype i = 0;
    while (i < n && texto[i] == u' ')
        ++i;
    QString numero;
    if (i < n && (texto[i] == u'-' || texto[i] == u'+'))
        numero += texto[i++];
    bool temDigitos = false;
    for (; i < n && digito(texto[i]); ++i, temDigitos = true)
        numero += texto[i];
    if (i < n && texto[i] == u'.') {
        numero += texto[i++];
        for (; i < n && digito(texto[i]); ++i, temDigitos = true)
            numero += texto[i];
    }
    return temDigitos ? numero.toDouble() : 0;
}

QString DateToText(const QDate& data) {
    const ConfiguracaoRegional& c = nucleo::emVigor();
    const auto numero = [](int n, int largura) {
        return QStringLiteral("%1").arg(n, largura, 10, QLatin1Char('0'));
    };
    const bool quatroDigitos = c.seculo || c.formatoDeData.contains(u"YYYY");
    const QString ano = quatroDigitos ? numero(data.year(), 4) : numero(data.year() % 100, 2);
    QString texto;
    nucleo::PercorreFormatoDeData(
        c.formatoDeData,
        [&](nucleo::CampoDeData campo) {
            texto += campo == nucleo::CampoDeData::Ano   ? ano
                     : campo == nucleo::CampoDeData::Mes ? numero(data.month(), 2)
                                                         : numero(data.day(), 2);
        },
        [&](QChar separador) { texto += separador; });
    return texto;
}

QString TimeToText(const QTime& hora) {
    const ConfiguracaoRegional& c = nucleo::emVigor();
    const auto dois = [](int n) { return QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0')); };
    int horas = hora.hour();
    QString sufixo;
    if (c.relogioDe12Horas) {
        sufixo = horas < 12 ? c.sufixoManha : c.sufixoTarde;
        horas = horas % 12 == 0 ? 12 : horas % 12;
    }
    const QString separador(c.separadorDeHora);
    return dois(horas) + separador + dois(hora.minute()) + separador + dois(hora.second()) + sufixo;
}
