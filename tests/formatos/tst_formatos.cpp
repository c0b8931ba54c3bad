#include "formatos/Arquivos.h"
#include "formatos/Lista.h"
#include "formatos/Quantia.h"
#include "formatos/Resposta.h"
#include "nucleo/Regional.h"
#include "tests/formatos/tst_arquivos.h"
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
    void quantia_data();
    void quantia();
    void numeroMostrado_data();
    void numeroMostrado();
    void numeroDePlanilha_data();
    void numeroDePlanilha();
    void digitacao_data();
    void digitacao();
    void quantidadeESubtotal_data();
    void quantidadeESubtotal();
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

// An amount is read in full or refused, never turned into another number; the answer file gets
// its number text byte for byte as the runtime writes it, a refused one the formatted zero.
void Numeros::quantia_data() {
    QTest::addColumn<QString>("localidade");
    QTest::addColumn<QString>("celula");
    QTest::addColumn<QString>("arquivo"); // the answer file's item; empty when refused
    QTest::addColumn<QString>("mostrada");
    const auto caso = [](const char* nome, const char* localidade, const QString& celula,
                         const char* arquivo, const char* mostrada) {
        QTest::newRow(nome) << localidade << celula << arquivo << mostrada;
    };
    caso("12,5 com vírgula", "pt_BR", "12,5", "12,50", "12,50");
    caso("12,5 com ponto", "en_US", "12,5", "12.50", "12.50");
    caso("12.5 digitado com ponto", "pt_BR", "12.5", "12,50", "12,50");
    caso("o zero inicial", "pt_BR", "0,00", "0,00", "0,00");
    caso("o zero inicial, ponto", "en_US", "0,00", "0.00", "0.00");
    caso("vazio é zero", "pt_BR", "", "0,00", "0,00");
    caso("brancos em volta", "pt_BR", "  7,1 ", "7,10", "7,10");
    caso("nove dígitos cabem", "pt_BR", "123456789,99", "123456789,99", "123.456.789,99");
    caso("milhares e vírgula", "pt_BR", "1.234,56", "1234,56", "1.234,56");
    caso("milhares e ponto", "pt_BR", "1,234.56", "1234,56", "1.234,56");
    caso("milhões sem decimais", "pt_BR", "1.234.567", "1234567,00", "1.234.567,00");
    caso("milhares, ponto no Windows americano", "en_US", "1.234,5", "1234.50", "1,234.50");
    caso("dígitos largos", "pt_BR", QString::fromUtf8("１２,５"), "12,50", "12,50");
    caso("vírgula larga", "pt_BR", QString::fromUtf8("３，７５"), "3,75", "3,75");
    caso("sem número", "pt_BR", "abc", "", "");
    caso("sinal", "pt_BR", "-5", "", "");
    caso("expoente", "pt_BR", "1e5", "", "");
    caso("catorze dígitos", "pt_BR", "12345678901234", "", "");
    caso("dez dígitos e decimais", "pt_BR", "1234567890,5", "", "");
    caso("três decimais", "pt_BR", "3,456", "", "");
    caso("milhar ou decimal?", "pt_BR", "1.234", "", "");
    caso("grupo curto", "pt_BR", "1.23.456", "", "");
    caso("dois separadores decimais", "pt_BR", "1.234,5.6", "", "");
    caso("só a vírgula", "pt_BR", ",", "", "");
    caso("vírgulas largas demais", "pt_BR", QString::fromUtf8("１，２，３"), "", "");
    // What Excel and LibreOffice put on the clipboard and in a .csv from a currency column.
    caso("moeda e espaço", "pt_BR", "R$ 8,99", "8,99", "8,99");
    caso("moeda colada", "pt_BR", "R$8,99", "8,99", "8,99");
    caso("moeda e espaço sem quebra", "pt_BR", QString::fromUtf8("R$\u00a01.021,90"), "1021,90",
         "1.021,90");
    caso("moeda e espaço estreito", "pt_BR", QString::fromUtf8("R$\u202f6,50"), "6,50", "6,50");
    caso("moeda entre brancos", "pt_BR", QString::fromUtf8(" R$\u00a0 5 "), "5,00", "5,00");
    caso("sinal antes da moeda", "pt_BR", "-R$ 5,00", "", "");
    caso("sinal depois da moeda", "pt_BR", "R$ -5,00", "", "");
    caso("só a moeda", "pt_BR", "R$", "", "");
    caso("moeda e palavra", "pt_BR", "R$ abc", "", "");
    caso("outra moeda", "pt_BR", "US$ 5,00", "", "");
    caso("moeda depois", "pt_BR", "8,99 R$", "", "");
}

void Numeros::quantia() {
    QFETCH(QString, localidade);
    QFETCH(QString, celula);
    QFETCH(QString, arquivo);
    QFETCH(QString, mostrada);
    SetInternational(ModoInternacional::Windows, ItensDaLocalidade::de(QLocale(localidade)));
    const auto lida = Quantia::le(celula);
    QCOMPARE(lida.has_value(), !arquivo.isEmpty());
    if (lida) {
        QCOMPARE(lida->numero(), arquivo);
        QCOMPARE(lida->mostrada(), mostrada);
        // What a spreadsheet gets back reads as the same amount.
        QCOMPARE(Quantia::deNumero(lida->reais()), lida);
    }
    Resposta resposta;
    resposta.precos = {celula};
    QCOMPARE(ItensDePrecos(resposta),
             QStringList{arquivo.isEmpty() ? Quantia().numero() : arquivo});
}

// A number of a numeric column shows the column's decimals, more only where it has them; a .csv
// writes a number with its own decimals.
void Numeros::numeroMostrado_data() {
    QTest::addColumn<qint64>("unidades");
    QTest::addColumn<int>("decimais");
    QTest::addColumn<int>("casas");
    QTest::addColumn<bool>("milhares");
    QTest::addColumn<QString>("mostrado");
    QTest::newRow("centavos agrupados") << qint64(123450) << 2 << 2 << true << "1.234,50";
    QTest::newRow("terceira decimal fica") << qint64(1235) << 3 << 2 << true << "1,235";
    QTest::newRow("zeros além das casas saem") << qint64(2500) << 3 << 2 << true << "2,50";
    QTest::newRow("milhões de quilos") << qint64(1234567000) << 3 << 2 << true << "1.234.567,00";
    QTest::newRow("sem agrupar") << qint64(123450) << 2 << 2 << false << "1234,50";
    QTest::newRow("centavos só") << qint64(5) << 2 << 2 << true << "0,05";
    QTest::newRow("sem casas") << qint64(1200) << 2 << 0 << true << "12";
}

void Numeros::numeroMostrado() {
    QFETCH(qint64, unidades);
    QFETCH(int, decimais);
    QFETCH(int, casas);
    QFETCH(bool, milhares);
    QFETCH(QString, mostrado);
    SetInternational(ModoInternacional::Windows, ItensDaLocalidade::de(QLocale("pt_BR")));
    QCOMPARE(MostraDecimal(unidades, decimais, casas, milhares), mostrado);
}

void Numeros::numeroDePlanilha_data() {
    QTest::addColumn<double>("valor");
    QTest::addColumn<QString>("texto");
    QTest::newRow("inteiro") << 2.0 << "2,00";
    QTest::newRow("uma decimal") << 12.5 << "12,50";
    QTest::newRow("três decimais de uma quantidade") << 1.235 << "1,235";
    QTest::newRow("milhares sem grupo") << 1234.5 << "1234,50";
    QTest::newRow("o maior preço") << 999999999.99 << "999999999,99";
}

void Numeros::numeroDePlanilha() {
    QFETCH(double, valor);
    QFETCH(QString, texto);
    QCOMPARE(NumeroDePlanilha(valor), texto);
}

// What the keyboard may type into a price: the start of a grouped amount is let through.
void Numeros::digitacao_data() {
    QTest::addColumn<QString>("texto");
    QTest::addColumn<int>("digitacao");
    QTest::addColumn<QString>("fica");
    const int aceita = int(Digitacao::Aceita), incompleta = int(Digitacao::Incompleta),
              recusada = int(Digitacao::Recusada);
    QTest::newRow("vazio") << "" << aceita << "";
    QTest::newRow("a caminho de 1.234,56") << "1.234" << incompleta << "1.234";
    QTest::newRow("1.234,56 inteiro") << "1.234,56" << aceita << "1.234,56";
    QTest::newRow("1.234.5 a caminho de 1.234.567") << "1.234.5" << incompleta << "1.234.5";
    QTest::newRow("quatro depois do ponto") << "1.2345" << recusada << "1.2345";
    QTest::newRow("dez dígitos") << "1234567890" << recusada << "1234567890";
    QTest::newRow("letra") << "12a" << recusada << "12a";
    QTest::newRow("sinal") << "-" << recusada << "-";
    QTest::newRow("largos ficam simples") << QString::fromUtf8("１２，５") << aceita << "12,5";
    QTest::newRow("moeda a caminho") << "R" << incompleta << "R";
    QTest::newRow("moeda e espaço a caminho") << "R$ " << incompleta << "R$ ";
    QTest::newRow("moeda e milhar a caminho") << "R$ 1.234" << incompleta << "R$ 1.234";
    QTest::newRow("moeda inteira") << "R$ 8,99" << aceita << "R$ 8,99";
    QTest::newRow("sinal antes da moeda") << "-R" << recusada << "-R";
    QTest::newRow("moeda e letra") << "R$ a" << recusada << "R$ a";
}

void Numeros::digitacao() {
    QFETCH(QString, texto);
    QFETCH(int, digitacao);
    QFETCH(QString, fica);
    QCOMPARE(int(DigitacaoDeQuantia(texto)), digitacao);
    QCOMPARE(texto, fica);
}

// Quantities of the quotation within what the report prints; a subtotal rounded half up to the
// cent, with no overflow at the largest quantity and price.
void Numeros::quantidadeESubtotal_data() {
    QTest::addColumn<QString>("quantidade");
    QTest::addColumn<QString>("preco");
    QTest::addColumn<QString>("subtotal"); // empty when the quantity is refused
    QTest::newRow("meio centavo sobe") << "1,5"
                                       << "0,33"
                                       << "0,50";
    QTest::newRow("quilo com três decimais") << "12,500"
                                             << "8,9"
                                             << "111,25";
    QTest::newRow("ponto decimal") << "2.75"
                                   << "1,15"
                                   << "3,16";
    QTest::newRow("milhares") << "1.234,5"
                              << "2"
                              << "2469,00";
    QTest::newRow("os maiores") << "999999999,999"
                                << "999999999,99"
                                << "999999999989000000,00";
    QTest::newRow("10^300") << QString("1" + QString(300, u'0')) << "1"
                            << "";
    QTest::newRow("em notação científica") << "1e300"
                                           << "1"
                                           << "";
    QTest::newRow("negativa") << "-2"
                              << "1"
                              << "";
    QTest::newRow("quatro decimais") << "0,0001"
                                     << "1"
                                     << "";
    QTest::newRow("vazia") << ""
                           << "1"
                           << "";
}

void Numeros::quantidadeESubtotal() {
    QFETCH(QString, quantidade);
    QFETCH(QString, preco);
    QFETCH(QString, subtotal);
    SetInternational(ModoInternacional::Windows, ItensDaLocalidade::de(QLocale("pt_BR")));
    const auto q = Quantidade::le(quantidade);
    QCOMPARE(q.has_value(), !subtotal.isEmpty());
    if (q)
        QCOMPARE(NumeroDeCentavos(Subtotal(*q, *Quantia::le(preco))), subtotal);
}

COTACAO_TEST_MAIN(Lista, Numeros, ArquivoDeResposta)
#include "tst_formatos.moc"
