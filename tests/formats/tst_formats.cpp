#include "quotation/formats/Arquivos.h"
#include "quotation/formats/Lista.h"
#include "quotation/formats/Numeros.h"
#include "runtime/core/Regional.h"
#include "tests/formats/tst_arquivos.h"
#include "tests/support/TestMain.h"

#include <QTest>

using namespace formatos;
using namespace nucleo;

class Lista : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void escrita_data();
    void escrita();
    void idaEVolta_data();
    void idaEVolta();
    void registros_data();
    void registros();
    void nomesDeArquivo_data();
    void nomesDeArquivo();
};

class Numeros : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void cleanupTestCase();
    void textoNumero_data();
    void textoNumero();
};

using Registros = QList<QStringList>;

void Lista::escrita_data() {
    QTest::addColumn<QStringList>("itens");
    QTest::addColumn<QString>("lista");
    QTest::newRow("três") << QStringList{"X", "Y", "Z"} << "[|X|][|Y|][|Z|]";
    QTest::newRow("vazia") << QStringList{} << "";
    QTest::newRow("item vazio") << QStringList{""} << "[||]";
    QTest::newRow("|] numa observação") << QStringList{"a|]b", "c"} << "[|a| ]b|][|c|]";
    QTest::newRow("|]|] seguidos") << QStringList{"||]]|]"} << "[||| ]]| ]|]";
    QTest::newRow("] no começo") << QStringList{"]x"} << "[| ]x|]";
    QTest::newRow("quebras de linha") << QStringList{"um\r\ndois\nfim"} << "[|um  dois fim|]";
    QTest::newRow("[| dentro fica") << QStringList{"a[|b"} << "[|a[|b|]";
}

void Lista::escrita() {
    QFETCH(QStringList, itens);
    QFETCH(QString, lista);
    QCOMPARE(EscreveLista(itens), lista);
}

void Lista::idaEVolta_data() {
    QTest::addColumn<QStringList>("itens");
    QTest::newRow("vazios") << QStringList{"", "", "x", ""};
    QTest::newRow("acentos") << QStringList{"AÇÚCAR", "Café moído", "pão francês"};
    QTest::newRow("terminado em |") << QStringList{"a|", "|", "||"};
    QTest::newRow("com [ e ]") << QStringList{"[", "a]", "[x]", "[||"};
    QTest::newRow("números") << QStringList{"12,50", "0,00", "1.234,56"};
}

void Lista::idaEVolta() {
    QFETCH(QStringList, itens);
    QCOMPARE(LeItens(EscreveLista(itens)), itens);
}

void Lista::registros_data() {
    QTest::addColumn<QString>("lista");
    QTest::addColumn<int>("campos");
    QTest::addColumn<Registros>("esperado");

    QTest::newRow("seis itens, um produto")
        << "[|P|][|B|][|D|][|Q|][|U|][|X|]" << 6 << Registros{{"P", "B", "D", "Q", "U", "X"}};
    QTest::newRow("doze itens, dois produtos")
        << "[|1|][|2|][|3|][|4|][|5|][|6|][|a|][|b|][|c|][|d|][|e|][|f|]" << 6
        << Registros{{"1", "2", "3", "4", "5", "6"}, {"a", "b", "c", "d", "e", "f"}};
    QTest::newRow("quatro por fornecedor") << "[|1|][|Nome|][|Fone|][|11222333000181|]" << 4
                                           << Registros{{"1", "Nome", "Fone", "11222333000181"}};
    QTest::newRow("um por registro") << "[|a|][||][|c|]" << 1 << Registros{{"a"}, {""}, {"c"}};
    QTest::newRow("vazia") << "" << 6 << Registros{};
    QTest::newRow("só brancos") << "   " << 1 << Registros{};
    QTest::newRow("último registro incompleto some")
        << "[|1|][|2|][|3|][|4|][|5|][|6|][|a|][|b|]" << 6
        << Registros{{"1", "2", "3", "4", "5", "6"}};
    QTest::newRow("abre sem fechar: o resto é ignorado")
        << "[|a|][|b|][|c" << 1 << Registros{{"a"}, {"b"}};
    QTest::newRow("fecha sem abrir") << "[|a|]b|]" << 1 << Registros{{"a"}};
    QTest::newRow("texto entre itens é pulado")
        << "lixo[|a|] x [|b|]\t" << 1 << Registros{{"a"}, {"b"}};
    QTest::newRow("abre no fim") << "[|a|][|" << 1 << Registros{{"a"}};
    QTest::newRow("só o abre") << "[|" << 1 << Registros{};
}

void Lista::registros() {
    QFETCH(QString, lista);
    QFETCH(int, campos);
    QFETCH(Registros, esperado);
    QCOMPARE(LeRegistros(lista, campos), esperado);
    // The reader works on a view and never looks past its end: here the string goes on after
    // it with closers and whole items that must not be read.
    const QString maior = lista + "|][|z|][|y|][|x|][|w|][|v|][|u|]";
    QCOMPARE(LeRegistros(QStringView(maior).first(lista.size()), campos), esperado);
}

void Lista::nomesDeArquivo_data() {
    QTest::addColumn<QString>("numero");
    QTest::addColumn<bool>("valido");
    QTest::newRow("16 dígitos") << "2026000000012345" << true;
    QTest::newRow("15 dígitos") << "202600000001234" << false;
    QTest::newRow("17 dígitos") << "20260000000123456" << false;
    QTest::newRow("caminho") << "../../../etc/pas" << false;
    QTest::newRow("letras") << "2026000000O12345" << false;
    QTest::newRow("dígitos de outra escrita") << "202600000001234٥" << false;
    QTest::newRow("brancos") << " 026000000012345" << false;
}

void Lista::nomesDeArquivo() {
    QFETCH(QString, numero);
    QFETCH(bool, valido);
    QCOMPARE(Arquivos::NumeroCotacaoValido(numero), valido);
    QCOMPARE(Arquivos::NomeResposta(QStringLiteral("2026000000012345"),
                                    QStringLiteral("11222333000181")),
             u"202600000001234511222333000181.cot");
}

void Numeros::cleanupTestCase() {
    SetInternational(ModoInternacional::Windows, ItensDaLocalidade::de(QLocale::c()));
}

void Numeros::textoNumero_data() {
    QTest::addColumn<QString>("localidade");
    QTest::addColumn<QString>("celula");
    QTest::addColumn<QString>("texto");
    QTest::newRow("12,5 com vírgula") << "pt_BR"
                                      << "12,5"
                                      << "12,50";
    QTest::newRow("12,5 com ponto") << "en_US"
                                    << "12,5"
                                    << "12.50";
    QTest::newRow("12.5 digitado com ponto") << "pt_BR"
                                             << "12.5"
                                             << "12,50";
    QTest::newRow("o zero inicial") << "pt_BR"
                                    << "0,00"
                                    << "0,00";
    QTest::newRow("o zero inicial, ponto") << "en_US"
                                           << "0,00"
                                           << "0.00";
    QTest::newRow("sem número") << "pt_BR"
                                << "abc"
                                << "0,00";
    QTest::newRow("vazio") << "pt_BR"
                           << ""
                           << "0,00";
    QTest::newRow("brancos em volta") << "pt_BR"
                                      << "  7,1 "
                                      << "7,10";
    QTest::newRow("arredonda em dois") << "pt_BR"
                                       << "3,456"
                                       << "3,46";
    QTest::newRow("nove dígitos cabem") << "pt_BR"
                                        << "123456789,99"
                                        << "123456789,99";
    QTest::newRow("mais de nove: inteiro") << "pt_BR"
                                           << "1234567890,5"
                                           << "1234567890,50";
    QTest::newRow("dígitos largos") << "pt_BR" << QString::fromUtf8("１２,５") << "12,50";
    QTest::newRow("vírgula larga") << "pt_BR" << QString::fromUtf8("３，７５") << "3,75";
}

void Numeros::textoNumero() {
    QFETCH(QString, localidade);
    QFETCH(QString, celula);
    QFETCH(QString, texto);
    SetInternational(ModoInternacional::Windows, ItensDaLocalidade::de(QLocale(localidade)));
    QCOMPARE(TextoNumero(celula), texto);
}

COTACAO_TEST_MAIN(Lista, Numeros, ArquivoDeResposta)
#include "tst_formats.moc"
