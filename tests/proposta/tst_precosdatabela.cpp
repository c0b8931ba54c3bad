// The supplier's price list: read from spreadsheets as they come, summed up before anything
// changes, kept in the database.
#include "tests/proposta/tst_precosdatabela.h"

#include "banco/BancoLocal.h"
#include "banco/TabelaDePrecos.h"
#include "nucleo/Regional.h"
#include "proposta/Planilha.h"
#include "proposta/PrecosDaTabela.h"
#include "proposta/Textos.h"
#include "tests/support/Certo.h"
#include "tests/support/DiretorioTeste.h"

#include <QTest>

using namespace nucleo;

namespace {

// Each item as "barcode|PLU|price|remark".
QStringList itens(const proposta::PlanoDaTabela& plano) {
    QStringList textos;
    for (const banco::ItemDaTabela& i : plano.itens)
        textos << i.barras + u'|' + i.plu + u'|' + i.preco + u'|' + i.obs;
    return textos;
}

} // namespace

void TabelaDePrecos::init() {
    SetInternational(ModoInternacional::Windows, ItensDaLocalidade::de(QLocale("pt_BR")));
}

void TabelaDePrecos::leitura_data() {
    QTest::addColumn<QByteArray>("csv");
    QTest::addColumn<bool>("cabecalho");
    QTest::addColumn<int>("lidas");
    QTest::addColumn<int>("semPreco");
    QTest::addColumn<int>("recusados");
    QTest::addColumn<int>("duplicados");
    QTest::addColumn<QStringList>("esperados");

    QTest::newRow("título acima, colunas em outra ordem")
        << QByteArray("Tabela da semana;;\r\n;;\r\nPre\xc3\xa7o R$;PLU;EAN;Obs.\r\n"
                      "12,5;1001;789;caixa com 12\r\n3.2;1002;;\r\n;;;\r\nTotal;;;\r\n")
        << true << 2 << 0 << 0 << 0 << QStringList{"789|1001|12,50|caixa com 12", "|1002|3,20|"};
    QTest::newRow("preços que não são valores nem nada")
        << QByteArray(
               "C\xc3\xb3"
               "d. de barras;Pre\xc3\xa7o\r\n1;abc\r\n2;-3\r\n3;1.234,50\r\n4;0,00\r\n5;0\r\n"
               "6;12,345\r\n7;\r\n8;1234567890\r\n9;1\r\n")
        << true << 9 << 1 << 6 << 0 << QStringList{"3||1234,50|", "9||1,00|"};
    // A later line of the same codes replaces the earlier one; lines that share one code only
    // are products of their own (a can and a box of one barcode).
    QTest::newRow("códigos repetidos")
        << QByteArray("EAN;PLU;Pre\xc3\xa7o\r\n"
                      "789;1;1,00\r\n"
                      "788;;2,00\r\n"
                      "789;2;3,00\r\n" // the barcode again, another PLU
                      "788;;4,00\r\n"  // the same codes: replaces the second line
                      ";2;5,00\r\n")   // the PLU again, no barcode
        << true << 5 << 0 << 0 << 1
        << QStringList{"789|1|1,00|", "788||4,00|", "789|2|3,00|", "|2|5,00|"};
    QTest::newRow("uma linha recusada não tira o código de ninguém")
        << QByteArray("EAN;Pre\xc3\xa7o\r\n789;1,00\r\n789;x\r\n") << true << 2 << 0 << 1 << 0
        << QStringList{"789||1,00|"};
    QTest::newRow("apóstrofo antes de fórmula e controles na observação")
        << QByteArray("PLU;Pre\xc3\xa7o;Observa\xc3\xa7\xc3\xb5"
                      "es\r\n7;2,50;'=1+2\r\n8;2,50;\"a\tb\"\r\n")
        << true << 2 << 0 << 0 << 0 << QStringList{"|7|2,50|=1+2", "|8|2,50|a b"};
    QTest::newRow("dígitos largos e brancos")
        << QByteArray("PLU;Pre\xc3\xa7o\r\n 7 ; \xef\xbc\x91\xef\xbc\x92,\xef\xbc\x95 \r\n") << true
        << 1 << 0 << 0 << 0 << QStringList{"|7|12,50|"};
    QTest::newRow("sem coluna de preço não é cabeçalho")
        << QByteArray("PLU;Observa\xc3\xa7\xc3\xa3o\r\n7;boa\r\n") << false << 0 << 0 << 0 << 0
        << QStringList{};
    QByteArray tarde;
    for (int i = 0; i < 30; ++i)
        tarde += "-;-\r\n";
    QTest::newRow("cabeçalho depois da linha 30") << tarde + "PLU;Pre\xc3\xa7o\r\n7;1\r\n"
                                                  << false << 0 << 0 << 0 << 0 << QStringList{};
}

void TabelaDePrecos::leitura() {
    QFETCH(QByteArray, csv);
    QFETCH(bool, cabecalho);
    QFETCH(int, lidas);
    QFETCH(int, semPreco);
    QFETCH(int, recusados);
    QFETCH(int, duplicados);
    QFETCH(QStringList, esperados);
    DiretorioTeste dir;
    dir.escrever("tabela.csv", csv);
    const proposta::PlanoDaTabela plano =
        teste::Certo(proposta::LeTabelaDePrecos(dir.arquivo("tabela.csv")));
    QCOMPARE(plano.cabecalhoAchado, cabecalho);
    QCOMPARE(plano.linhasLidas, lidas);
    QCOMPARE(plano.semPreco, semPreco);
    QCOMPARE(plano.precosRecusados, recusados);
    QCOMPARE(plano.duplicados, duplicados);
    QCOMPARE(itens(plano), esperados);
}

// Numbers as an .xlsx holds them: codes typed as numbers, prices with more decimals than cents.
void TabelaDePrecos::planilhaDoExcel() {
    DiretorioTeste dir;
    const QString caminho = dir.arquivo("tabela.xlsx");
    const proposta::Tabela tabela{
        {"Código de barras", "Código", "Preço unitário", "Observações"},
        {7891234567890.0, 1001.0, 12.5, "fardo"},
        {QString("0789"), QString(), 0.1 + 0.2, QString()},
        {7891234567891.0, QString(), 1.005, QString()},
        {7891234567892.0, QString(), 1e12, QString()},
    };
    QVERIFY(proposta::EscreveXlsx(caminho, tabela).ok());
    const proposta::PlanoDaTabela plano = teste::Certo(proposta::LeTabelaDePrecos(caminho));
    QVERIFY(plano.cabecalhoAchado);
    QCOMPARE(plano.linhasLidas, 4);
    QCOMPARE(plano.precosRecusados, 2);
    QCOMPARE(itens(plano), (QStringList{"7891234567890|1001|12,50|fardo", "0789||0,30|"}));
}

void TabelaDePrecos::resumo_data() {
    QTest::addColumn<QByteArray>("conteudo");
    QTest::addColumn<QString>("nome");
    QTest::addColumn<bool>("podeImportar");
    QTest::addColumn<QString>("texto");
    QTest::newRow("lida") << QByteArray("EAN;Pre\xc3\xa7o\r\n1;1\r\n1;2\r\n2;x\r\n3;\r\n")
                          << "t.csv" << true
                          << QString::fromUtf8(
                                 "Linhas lidas: 4\nPreços que vão para a tabela: 1\nLinhas sem "
                                 "preço: 1\nPreços recusados (não são valores): 1\nProdutos "
                                 "repetidos: 1 (vale a última linha do mesmo código de barras e "
                                 "PLU)\n\nPreços que não são valores (use só números, com "
                                 "vírgula ou ponto antes dos centavos, como 1.234,56 ou R$ "
                                 "1.234,56):\n2: \"x\"\nProdutos desta cotação com preço na "
                                 "tabela: 1 de 2\n\n"
                                 "Depois de importar, \"Editar > Preencher com a tabela de "
                                 "preços\" (Ctrl+Shift+L) preenche com ela os produtos ainda sem "
                                 "preço.\n\nA tabela de "
                                 "preços guardada neste computador será substituída por esta. "
                                 "Deseja importar?");
    QTest::newRow("sem preço algum")
        << QByteArray("EAN;Pre\xc3\xa7o\r\n1;x\r\n") << "t.csv" << false
        << QString::fromUtf8("A planilha t.csv não tem nenhum preço válido. A tabela de preços "
                             "não foi alterada.\n\nLinhas lidas: 1\nPreços que vão para a "
                             "tabela: 0\nLinhas sem preço: 0\nPreços recusados (não são "
                             "valores): 1\nProdutos repetidos: 0 (vale a última linha do mesmo "
                             "código de barras e PLU)\n\nPreços que não são valores (use só "
                             "números, com vírgula ou ponto antes dos centavos, como 1.234,56 "
                             "ou R$ 1.234,56):\n1: \"x\"");
    QTest::newRow("sem cabeçalho")
        << QByteArray("a;b\r\n") << "t.csv" << false
        << QString::fromUtf8("A planilha t.csv não tem as colunas esperadas: é preciso um "
                             "título \"Cód. de barras\" ou \"PLU\" e um título \"Preço\".");
}

void TabelaDePrecos::resumo() {
    QFETCH(QByteArray, conteudo);
    QFETCH(QString, nome);
    QFETCH(bool, podeImportar);
    QFETCH(QString, texto);
    DiretorioTeste dir;
    dir.escrever(nome, conteudo);
    const proposta::PlanoDaTabela plano =
        teste::Certo(proposta::LeTabelaDePrecos(dir.arquivo(nome)));
    // A quotation of two products, one of them in the table.
    proposta::Proposta proposta;
    formatos::Cotacao cotacao;
    cotacao.produtos = {{"10", "1", "UM", "1", "UN"}, {"20", "9", "OUTRO", "1", "UN"}};
    proposta.inicia(cotacao);
    const proposta::ResumoDaTabela r =
        proposta::ResumeTabela(plano, dir.arquivo(nome), proposta, "Ctrl+Shift+L");
    QCOMPARE(r.podeImportar, podeImportar);
    QCOMPARE(r.texto, texto);
}

// 50,000 lines from an .xlsx into the database, there again after a restart; a file refused
// afterwards changes nothing.
void TabelaDePrecos::grandeImportadaEGuardada() {
    DiretorioTeste dir;
    const QString caminho = dir.arquivo("Tabela 2026.xlsx");
    proposta::Tabela tabela{{"EAN", "PLU", "Preço", "Obs."}};
    for (int i = 0; i < 50000; ++i)
        tabela.append({QString::number(7890000000000LL + i), QString::number(i),
                       (i % 1000 + 1) / 4.0, i % 2 ? QString() : QString("lote %1").arg(i)});
    QVERIFY(proposta::EscreveXlsx(caminho, tabela).ok());
    const proposta::PlanoDaTabela plano = teste::Certo(proposta::LeTabelaDePrecos(caminho));
    QCOMPARE(plano.linhasLidas, 50000);
    QCOMPARE(plano.itens.size(), 50000);
    const QDateTime quando(QDate(2026, 4, 1), QTime(10, 0));
    {
        banco::BancoLocal banco(dir.arquivo("Cotacao.db"));
        teste::Certo(proposta::ImportaTabelaDePrecos(banco, plano, caminho, quando));
    }
    banco::BancoLocal banco(dir.arquivo("Cotacao.db"));
    banco::TabelaDePrecos guardada(banco);
    const auto origem = teste::Certo(guardada.origem());
    QVERIFY(origem);
    QCOMPARE(origem->arquivo, "Tabela 2026.xlsx");
    QCOMPARE(origem->quando, quando);
    const auto achados =
        guardada.procura({{"7890000000003", ""}, {"nenhum", "49999"}, {"", "4"}, {"x", "y"}});
    QVERIFY(achados);
    QHash<QString, banco::ItemDaTabela> porCodigo;
    for (const banco::ItemDaTabela& item : *achados)
        for (const QString& codigo : {item.barras, item.plu})
            if (!codigo.isEmpty())
                porCodigo.insert(codigo, item);
    QCOMPARE(porCodigo.value("7890000000003").preco, "1,00");
    QCOMPARE(porCodigo.value("7890000000003").obs, "");
    QCOMPARE(porCodigo.value("49999").preco, "250,00");
    QCOMPARE(porCodigo.value("4").obs, "lote 4");
    QVERIFY(!porCodigo.contains("x") && !porCodigo.contains("y"));

    dir.escrever("ruim.xlsx", "PK\x03\x04 nada disso");
    const auto ruim = proposta::LeTabelaDePrecos(dir.arquivo("ruim.xlsx"));
    QVERIFY(!ruim);
    QCOMPARE(ruim.falha().tipo, nucleo::Falha::Tipo::Recusada); // not a workbook
    // Nor does a plan without a price replace the table kept.
    const auto vazia =
        proposta::ImportaTabelaDePrecos(banco, proposta::PlanoDaTabela(), dir.arquivo("ruim.xlsx"));
    QVERIFY(!vazia);
    QCOMPARE(vazia.falha().tipo, nucleo::Falha::Tipo::Recusada);
    QCOMPARE(teste::Certo(guardada.origem())->itens, 50000);
}
