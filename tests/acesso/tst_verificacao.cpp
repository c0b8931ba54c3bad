#include "tests/acesso/tst_verificacao.h"

#include "acesso/Verificacao.h"
#include "nucleo/Cp1252.h"
#include "tests/support/DiretorioTeste.h"

#include <QTest>

using namespace acesso;
using namespace nucleo;

namespace {
const QString kNumero = "2026000000012345";

QByteArray cotacao(const QString& senha, const QString& fornecedores) {
    QByteArray texto = "[Geral]\r\nSolicitante=Mercado\r\n";
    if (!senha.isNull())
        texto += "SenhaCotacao=" + ParaCp1252(senha) + "\r\n";
    return texto + "ListaFornecedor=" + ParaCp1252(fornecedores) + "\r\n";
}
} // namespace

void Senha::senhaEsperada_data() {
    QTest::addColumn<QString>("base");
    QTest::addColumn<QString>("cnpj");
    QTest::addColumn<QString>("senha");
    QTest::newRow("base mais a raiz") << "37214508"
                                      << "11222333000181"
                                      << "37326731";
    QTest::newRow("outra filial, mesma raiz") << "37214508"
                                              << "11222333000262"
                                              << "37326731";
    QTest::newRow("raiz com zero à esquerda") << "37214508"
                                              << "07123456000199"
                                              << "37285742";
    QTest::newRow("sem SenhaCotacao: só a raiz") << ""
                                                 << "11222333000181"
                                                 << "112223";
    QTest::newRow("base com decimais: a parte inteira") << "37214508.9"
                                                        << "11222333000181"
                                                        << "37326731";
    QTest::newRow("soma de mais de dez dígitos") << "99999999999"
                                                 << "11222333000181"
                                                 << "10000011";
    QTest::newRow("base enorme, soma exata") << "123456789012345678901234567890"
                                             << "99999900000000"
                                             << "12345678";
    QTest::newRow("vai-um até o começo") << "99999999"
                                         << "00000100000000"
                                         << "10000000";
    QTest::newRow("base negativa") << "-200000"
                                   << "11222333000181"
                                   << "-87777";
    QTest::newRow("base negativa menor que a raiz") << "-100000"
                                                    << "11222333000181"
                                                    << "12223";
    QTest::newRow("CNPJ curto") << "100"
                                << "123"
                                << "223";
    QTest::newRow("sem número") << "abc"
                                << "000000"
                                << "0";
}

void Senha::senhaEsperada() {
    QFETCH(QString, base);
    QFETCH(QString, cnpj);
    QFETCH(QString, senha);
    QCOMPARE(SenhaEsperada(base, cnpj), senha);
}

void Senha::verificaSenha_data() {
    QTest::addColumn<QString>("senhaBase"); // null: no SenhaCotacao key
    QTest::addColumn<QString>("digitada");
    QTest::addColumn<QString>("cnpj");
    QTest::addColumn<bool>("certa");
    QTest::newRow("certa") << "37214508"
                           << "37326731"
                           << "11222333000181" << true;
    QTest::newRow("errada") << "37214508"
                            << "37326732"
                            << "11222333000181" << false;
    QTest::newRow("certa para outra raiz") << "37214508"
                                           << "37674384"
                                           << "11222333000181" << false;
    QTest::newRow("SenhaCotacao ausente: nenhuma de 8 serve") << QString() << "00112223"
                                                              << "11222333000181" << false;
    QTest::newRow("lacuna dentro da raiz") << "37214508"
                                           << "37326731"
                                           << "1222333000181" << false;
    QTest::newRow("lacuna depois da raiz") << "37214508"
                                           << "37326731"
                                           << "1122233300181" << true;
}

void Senha::verificaSenha() {
    QFETCH(QString, senhaBase);
    QFETCH(QString, digitada);
    QFETCH(QString, cnpj);
    QFETCH(bool, certa);
    DiretorioTeste programa;
    QVERIFY(!VerificaSenhaCotacao(kNumero, digitada, cnpj)); // no file yet
    programa.escrever(kNumero + ".cot", cotacao(senhaBase, "[|1|][|a|][|b|][|11222333000181|]"));
    QCOMPARE(VerificaSenhaCotacao(kNumero, digitada, cnpj), certa);
}

void Senha::listaDeFornecedores_data() {
    QTest::addColumn<QString>("lista");
    QTest::addColumn<QString>("cnpj");
    QTest::addColumn<bool>("liberado");
    const QString duas =
        "[|1|][|Um|][|fone|][|11222333000181|][|2|][|Dois|][|fone|][|45987654000110|]";
    QTest::newRow("no quarto campo do primeiro") << duas << "11222333000181" << true;
    QTest::newRow("no quarto campo do segundo") << duas << "45987654000110" << true;
    QTest::newRow("ausente") << duas << "22333444000155" << false;
    QTest::newRow("só nos campos 1 a 3")
        << "[|11222333000181|][|11222333000181|][|11222333000181|][|x|]"
        << "11222333000181" << false;
    QTest::newRow("no registro incompleto do fim")
        << "[|1|][|a|][|b|][|c|][|2|][|11222333000181|][|x|]"
        << "11222333000181" << false;
    QTest::newRow("registro incompleto onde seria o quarto")
        << "[|1|][|a|][|b|][|c|][|2|][|x|][|y|][|11222333000181"
        << "11222333000181" << false;
    QTest::newRow("lista vazia") << ""
                                 << "11222333000181" << false;
    QTest::newRow("texto entre itens") << "[|1|] [|a|]\t[|b|]x[|11222333000181|]"
                                       << "11222333000181" << true;
    QTest::newRow("13 dígitos") << duas << "1122233300018" << false;
}

void Senha::listaDeFornecedores() {
    QFETCH(QString, lista);
    QFETCH(QString, cnpj);
    QFETCH(bool, liberado);
    DiretorioTeste programa;
    QVERIFY(!VerificaCNPJCotacao(kNumero, cnpj));
    programa.escrever(kNumero + ".cot", cotacao("37214508", lista));
    QCOMPARE(VerificaCNPJCotacao(kNumero, cnpj), liberado);
    QVERIFY(!VerificaCNPJCotacao("../" + kNumero.left(13), cnpj));
}
