#include "tests/nucleo/tst_regional.h"

#include "nucleo/Regional.h"

#include <QTest>

using namespace nucleo;

void Regional::init() {
    SetInternational(ModoInternacional::Windows, ItensDaLocalidade::de(QLocale::c()));
}

void Regional::cleanupTestCase() {
    init();
}

void Regional::daLocalidade_data() {
    QTest::addColumn<QString>("localidade");
    QTest::addColumn<QString>("decimal");
    QTest::addColumn<QString>("milhar");
    QTest::addColumn<bool>("dozeHoras");
    QTest::addColumn<QString>("data");
    QTest::addColumn<QString>("doze");

    QTest::newRow("pt_BR") << "pt_BR"
                           << ","
                           << "." << false << "DD/MM/YYYY"
                           << "1234,50";
    QTest::newRow("en_US") << "en_US"
                           << "."
                           << "," << true << "MM/DD/YY"
                           << "1234.50";
    QTest::newRow("de_DE") << "de_DE"
                           << ","
                           << "." << false << "DD.MM.YY"
                           << "1234,50";
    QTest::newRow("ja_JP") << "ja_JP"
                           << "."
                           << "," << false << "YYYY/MM/DD"
                           << "1234.50";
}

void Regional::daLocalidade() {
    QFETCH(QString, localidade);
    QFETCH(QString, decimal);
    QFETCH(QString, milhar);
    QFETCH(bool, dozeHoras);
    QFETCH(QString, data);
    QFETCH(QString, doze);

    const ModoInternacional anterior =
        SetInternational(ModoInternacional::Windows, ItensDaLocalidade::de(QLocale(localidade)));
    QCOMPARE(anterior, ModoInternacional::Windows);
    const ConfiguracaoRegional& s = ConfiguracaoEmVigor();
    QCOMPARE(QString(s.separadorDecimal), decimal);
    QCOMPARE(QString(s.separadorDeMilhares), milhar);
    QCOMPARE(s.separadorDeHora, u':');
    QCOMPARE(s.relogioDe12Horas, dozeHoras);
    QCOMPARE(s.formatoDeData, data);
    QCOMPARE(s.decimais, 2);
    QVERIFY(s.seculo);
    QCOMPARE(s.epoca, 1910);
    QCOMPARE(Str(1234.5).trimmed(), doze);
}

void Regional::semItensLegiveis() {
    SetInternational(ModoInternacional::Windows, ItensDaLocalidade{});
    const ConfiguracaoRegional& s = ConfiguracaoEmVigor();
    QCOMPARE(s.separadorDecimal, u'.');
    QCOMPARE(s.separadorDeMilhares, u',');
    QCOMPARE(s.separadorDeHora, u':');
    QVERIFY(s.relogioDe12Horas);
    QCOMPARE(s.sufixoManha, u" am");
    QCOMPARE(s.sufixoTarde, u" pm");
    QCOMPARE(s.formatoDeData, u"MM/DD/YY");
    QCOMPARE(s.decimais, 2);
    QVERIFY(s.seculo);
}

void Regional::itensQueNaoCabem() {
    // Each item is read into 64 bytes; one that does not fit counts as unreadable.
    ItensDaLocalidade items = ItensDaLocalidade::de(QLocale(QStringLiteral("pt_BR")));
    items.separadorDecimal = QString(64, u';');
    items.padraoDeDataCurta = QStringLiteral("dd/MM/yyyy") + QString(60, u' ');
    items.designadorManha = QString(63, u'x');
    SetInternational(ModoInternacional::Windows, items);
    QCOMPARE(ConfiguracaoEmVigor().separadorDecimal, u'.');
    QCOMPARE(ConfiguracaoEmVigor().formatoDeData, u"DD/MM/YY");
    QCOMPARE(ConfiguracaoEmVigor().sufixoManha, u' ' + QString(63, u'x'));
}

void Regional::sufixoDaManhaVazio() {
    ItensDaLocalidade items;
    items.designadorManha = QString();
    items.designadorTarde = QStringLiteral("PM");
    SetInternational(ModoInternacional::Windows, items);
    QCOMPARE(ConfiguracaoEmVigor().sufixoManha, u" ");
    QCOMPARE(ConfiguracaoEmVigor().sufixoTarde, u" PM");
}

void Regional::formatoDaData_data() {
    QTest::addColumn<QString>("ordem");
    QTest::addColumn<QString>("separador");
    QTest::addColumn<QString>("padrao");
    QTest::addColumn<QString>("formato");

    QTest::newRow("dia primeiro, ano com século") << "1"
                                                  << "."
                                                  << "dd.MM.yyyy"
                                                  << "DD.MM.YYYY";
    QTest::newRow("ano primeiro") << "2"
                                  << "-"
                                  << "yyyy-MM-dd"
                                  << "YYYY-MM-DD";
    QTest::newRow("mês primeiro, ano curto") << "0"
                                             << "/"
                                             << "M/d/yy"
                                             << "MM/DD/YY";
    QTest::newRow("ordem desconhecida") << "7"
                                        << "/"
                                        << "d/M/yy"
                                        << "MM/DD/YY";
}

void Regional::formatoDaData() {
    QFETCH(QString, ordem);
    QFETCH(QString, separador);
    QFETCH(QString, padrao);
    QFETCH(QString, formato);
    ItensDaLocalidade items;
    items.ordemDaData = ordem;
    items.separadorDeData = separador;
    items.padraoDeDataCurta = padrao;
    SetInternational(ModoInternacional::Windows, items);
    QCOMPARE(ConfiguracaoEmVigor().formatoDeData, formato);
}

void Regional::modosFixos() {
    SetInternational(ModoInternacional::Windows,
                     ItensDaLocalidade::de(QLocale(QStringLiteral("pt_BR"))));
    QCOMPARE(SetInternational(ModoInternacional::Americano), ModoInternacional::Windows);
    QCOMPARE(SetInternational(), ModoInternacional::Americano);
    const ConfiguracaoRegional& s = ConfiguracaoEmVigor();
    QCOMPARE(s.separadorDecimal, u'.');
    QVERIFY(!s.relogioDe12Horas);
    QVERIFY(s.sufixoManha.isEmpty());
    QCOMPARE(s.formatoDeData, u"MM/DD/YY");
    QVERIFY(!s.seculo);
    QCOMPARE(SetInternational(ModoInternacional::Classico), ModoInternacional::Americano);
    QCOMPARE(Str(12.5), u"       12.50");
}

void Regional::numeroParaTexto_data() {
    QTest::addColumn<QString>("localidade");
    QTest::addColumn<double>("valor");
    QTest::addColumn<QString>("texto");

    QTest::newRow("vírgula") << "pt_BR" << 12.5 << "       12,50";
    QTest::newRow("ponto") << "en_US" << 12.5 << "       12.50";
    QTest::newRow("zero") << "pt_BR" << 0.0 << "        0,00";
    QTest::newRow("sem agrupar") << "pt_BR" << 1234567.891 << "  1234567,89";
    QTest::newRow("quase zero negativo") << "pt_BR" << -0.001 << "        0,00";
    QTest::newRow("negativo") << "pt_BR" << -3.456 << "       -3,46";
    QTest::newRow("nove dígitos") << "pt_BR" << 999999999.99 << "999999999,99";
    QTest::newRow("largo demais: inteiro") << "pt_BR" << 12345678901.0 << "12345678901,00";
}

void Regional::numeroParaTexto() {
    QFETCH(QString, localidade);
    QFETCH(double, valor);
    QFETCH(QString, texto);
    SetInternational(ModoInternacional::Windows, ItensDaLocalidade::de(QLocale(localidade)));
    QCOMPARE(Str(valor), texto);
}

void Regional::numeroDoTexto_data() {
    QTest::addColumn<QString>("texto");
    QTest::addColumn<double>("valor");

    QTest::newRow("decimal") << "12.5" << 12.5;
    QTest::newRow("brancos antes, letras depois") << "  12abc" << 12.0;
    QTest::newRow("sem número") << "abc" << 0.0;
    QTest::newRow("vazio") << "" << 0.0;
    QTest::newRow("07") << "07" << 7.0;
    QTest::newRow("007") << "007" << 7.0;
    QTest::newRow("negativo") << "-3.5" << -3.5;
    QTest::newRow("só decimais") << ".5" << 0.5;
    QTest::newRow("vírgula não é decimal") << "12,50" << 12.0;
    QTest::newRow("milhar com ponto") << "1.234,50" << 1.234;
    QTest::newRow("ponto sozinho") << "." << 0.0;
    QTest::newRow("sinal sozinho") << "-" << 0.0;
}

void Regional::numeroDoTexto() {
    QFETCH(QString, texto);
    QFETCH(double, valor);
    QCOMPARE(Val(texto), valor);
}

void Regional::dataEHora_data() {
    QTest::addColumn<QString>("localidade");
    QTest::addColumn<QString>("data");
    QTest::addColumn<QString>("hora");

    QTest::newRow("pt_BR") << "pt_BR"
                           << "07/12/2026"
                           << "15:04:05";
    QTest::newRow("en_US: século sempre") << "en_US"
                                          << "12/07/2026"
                                          << "03:04:05 PM";
    QTest::newRow("de_DE") << "de_DE"
                           << "07.12.2026"
                           << "15:04:05";
}

void Regional::dataEHora() {
    QFETCH(QString, localidade);
    QFETCH(QString, data);
    QFETCH(QString, hora);
    SetInternational(ModoInternacional::Windows, ItensDaLocalidade::de(QLocale(localidade)));
    QCOMPARE(DateToText(QDate(2026, 12, 7)), data);
    QCOMPARE(TimeToText(QTime(15, 4, 5)), hora);
}
