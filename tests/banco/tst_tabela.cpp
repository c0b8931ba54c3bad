#include "tests/banco/tst_tabela.h"

#include "banco/BancoLocal.h"
#include "banco/PrecosEnviados.h"
#include "banco/Rascunhos.h"
#include "banco/Recibos.h"
#include "banco/TabelaDePrecos.h"
#include "banco/Textos.h"
#include "tests/support/Certo.h"
#include "tests/support/DiretorioTeste.h"

#include <QCryptographicHash>
#include <QSqlQuery>
#include <QTest>

using banco::ItemDaTabela;
using banco::ProdutoProcurado;

namespace {

QString barrasDe(int i) {
    return QString::number(7890000000000LL + i);
}

} // namespace

void Tabela::grandeSobreviveAoReinicio() {
    DiretorioTeste dir;
    const QString arquivo = dir.arquivo("Cotacao.db");
    const QDateTime quando(QDate(2026, 3, 14), QTime(9, 30));
    {
        banco::BancoLocal banco(arquivo);
        QList<ItemDaTabela> itens;
        for (int i = 0; i < 50000; ++i)
            itens.append({barrasDe(i), QString::number(i), QString::number(i % 900 + 1) + ",50",
                          i % 7 ? QString() : "caixa com 12"});
        banco::TabelaDePrecos tabela(banco);
        QVERIFY(!teste::Certo(tabela.origem()));
        QVERIFY(tabela.substitui(itens, "precos março.xlsx", quando));
    }
    banco::BancoLocal banco(arquivo);
    banco::TabelaDePrecos tabela(banco);
    const auto origem = teste::Certo(tabela.origem());
    QVERIFY(origem);
    QCOMPARE(origem->arquivo, "precos março.xlsx");
    QCOMPARE(origem->quando, quando);
    QCOMPARE(origem->itens, 50000);

    // A whole quotation at once: 3,500 products, every tenth unknown to the table.
    QList<ProdutoProcurado> produtos;
    for (int i = 0; i < 3500; ++i)
        produtos.append(i % 10 ? ProdutoProcurado{barrasDe(i * 14), QString()}
                               : ProdutoProcurado{"0000" + QString::number(i), QString()});
    const auto achados = tabela.procura(produtos);
    QVERIFY(achados);
    QCOMPARE(achados->size(), 3150);
    QHash<QString, ItemDaTabela> porBarras;
    for (const ItemDaTabela& item : *achados)
        porBarras.insert(item.barras, item);
    for (int i = 1; i < 3500; ++i) {
        if (i % 10 == 0)
            continue;
        const ItemDaTabela item = porBarras.value(barrasDe(i * 14));
        QCOMPARE(item.preco, QString::number(i * 14 % 900 + 1) + ",50");
        QCOMPARE(item.obs, i * 14 % 7 ? QString() : "caixa com 12");
    }

    // A new table replaces the whole of the old one.
    QVERIFY(tabela.substitui({{"123", "", "1,00", ""}}, "nova.csv", quando.addDays(1)));
    QCOMPARE(teste::Certo(tabela.origem())->itens, 1);
    QSqlQuery q(banco.db());
    QVERIFY(q.exec("SELECT count(*) FROM tabela_preco") && q.next());
    QCOMPARE(q.value(0).toInt(), 1);
    QVERIFY(tabela.procura({{barrasDe(5), "5"}})->isEmpty());
}

// The lines that share a code with a product: which of them is its price is the answer's to
// decide (Proposta::defineTabela).
void Tabela::procura_data() {
    QTest::addColumn<QList<ItemDaTabela>>("tabela");
    QTest::addColumn<QString>("barras");
    QTest::addColumn<QString>("plu");
    QTest::addColumn<QStringList>("precos"); // of the lines found, in the table's order

    const QList<ItemDaTabela> comAmbos{{"789100", "11", "1,00", ""}};
    const QList<ItemDaTabela> umDeCada{{"789100", "", "1,00", ""}, {"", "22", "2,00", ""}};
    QTest::newRow("pelo código de barras") << comAmbos << "789100"
                                           << "" << QStringList{"1,00"};
    QTest::newRow("pelo PLU") << comAmbos << ""
                              << "11" << QStringList{"1,00"};
    QTest::newRow("pelos dois, uma vez") << comAmbos << "789100"
                                         << "11" << QStringList{"1,00"};
    QTest::newRow("uma linha de cada código") << umDeCada << "789100"
                                              << "22" << QStringList{"1,00", "2,00"};
    QTest::newRow("lata e caixa") << QList<ItemDaTabela>{{"789100", "21", "7,10", ""},
                                                         {"789100", "22", "9,90", ""}}
                                  << "789100"
                                  << "21" << QStringList{"7,10", "9,90"};
    QTest::newRow("nenhum dos dois") << comAmbos << "789999"
                                     << "99" << QStringList{};
    QTest::newRow("brancos em volta") << comAmbos << " 789100 "
                                      << "" << QStringList{"1,00"};
    // Empty codes name nothing: a line without a barcode is not every product without one.
    QTest::newRow("código vazio não casa com vazio") << umDeCada << ""
                                                     << "" << QStringList{};
    QTest::newRow("PLU vazio não casa com vazio")
        << QList<ItemDaTabela>{{"789100", "", "1,00", ""}} << "789555"
        << "" << QStringList{};
    QTest::newRow("aspas e apóstrofo no código")
        << QList<ItemDaTabela>{{"78'9\"1", "", "4,00", ""}} << "78'9\"1"
        << "" << QStringList{"4,00"};
}

void Tabela::procura() {
    QFETCH(QList<ItemDaTabela>, tabela);
    QFETCH(QString, barras);
    QFETCH(QString, plu);
    QFETCH(QStringList, precos);
    DiretorioTeste dir;
    banco::BancoLocal banco(dir.arquivo("Cotacao.db"));
    banco::TabelaDePrecos t(banco);
    QVERIFY(t.substitui(tabela, "t.csv", QDateTime::currentDateTime()));
    // The product asked for among others the table does not have.
    const auto achados = t.procura({{"1", "1"}, {barras, plu}, {"2", "2"}});
    QVERIFY(achados);
    QStringList achadas;
    for (const ItemDaTabela& item : *achados)
        achadas << item.preco;
    QCOMPARE(achadas, precos);
}

// A table that cannot be written (another program holds the database) leaves the one before.
void Tabela::substituiTudoOuNada() {
    DiretorioTeste dir;
    const QString arquivo = dir.arquivo("Cotacao.db");
    banco::BancoLocal banco(arquivo);
    banco::TabelaDePrecos tabela(banco);
    QVERIFY(tabela.substitui({{"1", "", "1,00", ""}, {"2", "", "2,00", ""}}, "velha.csv",
                             QDateTime::currentDateTime()));
    {
        banco::BancoLocal outro(arquivo);
        QVERIFY(outro.aberto());
        QSqlQuery trava(outro.db());
        QVERIFY(trava.exec("BEGIN IMMEDIATE"));
        const auto travada =
            tabela.substitui({{"3", "", "3,00", ""}}, "nova.csv", QDateTime::currentDateTime());
        QVERIFY(!travada);
        QCOMPARE(travada.falha().texto, banco::textos::EmUso); // told in Portuguese
        QVERIFY(trava.exec("ROLLBACK"));
    }
    QCOMPARE(teste::Certo(tabela.origem())->arquivo, "velha.csv");
    const auto achados = tabela.procura({{"1", ""}, {"2", ""}, {"3", ""}});
    QVERIFY(achados);
    QCOMPARE(*achados, (QList<ItemDaTabela>{{"1", "", "1,00", ""}, {"2", "", "2,00", ""}}));
}

void Listagem::recibosComSeusNumeros() {
    DiretorioTeste dir;
    const QString arquivo = dir.arquivo("Cotacao.db");
    const QDateTime base(QDate(2026, 5, 2), QTime(14, 0));
    {
        banco::BancoLocal banco(arquivo);
        banco::Recibos recibos(banco);
        // Recorded out of order; the second sending of A comes last.
        QVERIFY(recibos.registra(
            {base.addSecs(60), "A", "1", "A1.cot", 10, "aa", "Mercado Sul", 12, 3500, 123456789}));
        QVERIFY(recibos.registra({base, "B", "1", "B1.cot", 20, "bb", "Padaria", 1, 1, 0}));
        QVERIFY(recibos.registra(
            {base.addSecs(120), "A", "1", "A1.cot", 11, "cc", "Mercado Sul", 13, 3500, 123456800}));
    }
    banco::BancoLocal banco(arquivo);
    const QList<banco::Recibo> todos = teste::Certo(banco::Recibos(banco).todos());
    QCOMPARE(todos.size(), 3);
    QCOMPARE(todos[0].sha256, "cc");
    QCOMPARE(todos[1].sha256, "aa");
    QCOMPARE(todos[2].sha256, "bb");
    QCOMPARE(todos[0].solicitante, "Mercado Sul");
    QCOMPARE(todos[0].cotados, 13);
    QCOMPARE(todos[0].produtos, 3500);
    QCOMPARE(todos[0].total, 123456800);
    QCOMPARE(todos[0].quando, base.addSecs(120));
    QVERIFY(todos[0].conhecido());
    QCOMPARE(teste::Certo(banco::Recibos(banco).ultimo("A", "1"))->cotados, 13);
}

// A database of the version before keeps its receipts, drafts and prices; its receipts have
// nothing to show in the list.
void Listagem::recibosDaVersaoAnterior() {
    DiretorioTeste dir;
    const QString arquivo = dir.arquivo("Cotacao.db");
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "versao-1");
        db.setDatabaseName(arquivo);
        QVERIFY(db.open());
        QSqlQuery q(db);
        for (const char* comando :
             {"CREATE TABLE rascunho (cotacao TEXT NOT NULL, cnpj TEXT NOT NULL, campo TEXT NOT "
              "NULL, linha INTEGER NOT NULL, produto TEXT NOT NULL, valor TEXT NOT NULL, alterado "
              "INTEGER NOT NULL, PRIMARY KEY (cotacao, cnpj, campo, linha)) WITHOUT ROWID",
              "CREATE TABLE envio (id INTEGER PRIMARY KEY, quando INTEGER NOT NULL, cotacao TEXT "
              "NOT NULL, cnpj TEXT NOT NULL, arquivo TEXT NOT NULL, tamanho INTEGER NOT NULL, "
              "sha256 TEXT NOT NULL)",
              "CREATE INDEX envio_por_cotacao ON envio (cotacao, cnpj, quando)",
              "CREATE TABLE preco_enviado (produto TEXT NOT NULL, cotacao TEXT NOT NULL, preco "
              "TEXT NOT NULL, quando INTEGER NOT NULL, PRIMARY KEY (produto, cotacao)) WITHOUT "
              "ROWID",
              "INSERT INTO envio (quando, cotacao, cnpj, arquivo, tamanho, sha256) VALUES "
              "(1000, 'C', '9', 'C9.cot', 5, 'ab12')",
              "INSERT INTO rascunho VALUES ('D', '9', 'preco', 1, 'p', '2,50', 2000)",
              "INSERT INTO preco_enviado VALUES ('789', 'C', '1,25', 1000)",
              "PRAGMA user_version=1"})
            QVERIFY2(q.exec(QString::fromUtf8(comando)), comando);
        q.finish();
        db.close();
    }
    QSqlDatabase::removeDatabase("versao-1");

    banco::BancoLocal banco(arquivo);
    teste::Certo(banco.abre());
    const QList<banco::Recibo> todos = teste::Certo(banco::Recibos(banco).todos());
    QCOMPARE(todos.size(), 1);
    QCOMPARE(todos[0].sha256, "ab12");
    QCOMPARE(todos[0].tamanho, 5);
    QVERIFY(todos[0].solicitante.isEmpty());
    QVERIFY(!todos[0].conhecido());
    QCOMPARE(teste::Certo(banco::Rascunhos(banco).le("D", "9")).size(), 1);
    QCOMPARE(teste::Certo(banco::PrecosEnviados(banco).ultimos("X")).value("789").preco, "1,25");
    QVERIFY(!teste::Certo(banco::TabelaDePrecos(banco).origem()));
}

void Listagem::rascunhosPendentes() {
    DiretorioTeste dir;
    banco::BancoLocal banco(dir.arquivo("Cotacao.db"));
    banco::Rascunhos rascunhos(banco);
    const QDateTime base(QDate(2026, 5, 2), QTime(8, 0));
    QVERIFY(rascunhos.guarda(
        "A", "1", {{"preco", 1, "p", "1", base}, {"preco", 2, "q", "2", base.addSecs(300)}}));
    QVERIFY(rascunhos.guarda("B", "1", {{"obs", 1, "p", "x", base.addSecs(60)}}));
    QVERIFY(rascunhos.guarda("A", "2", {{"preco", 1, "p", "1", base.addSecs(600)}}));
    QVERIFY(rascunhos.guarda("C", "1", {{"preco", 1, "p", "1", base.addSecs(900)}}));
    QVERIFY(rascunhos.descarta("C", "1")); // sent since

    const QList<banco::RascunhoPendente> pendentes = teste::Certo(rascunhos.pendentes());
    const QList<banco::RascunhoPendente> esperados{
        {"A", "2", base.addSecs(600)}, {"A", "1", base.addSecs(300)}, {"B", "1", base.addSecs(60)}};
    QCOMPARE(pendentes, esperados);
}

void Listagem::confereBytes() {
    const QByteArray enviados = "[Geral]\r\nListaPrecosForn=1,00\r\n";
    banco::Recibo r;
    r.tamanho = enviados.size();
    r.sha256 = QCryptographicHash::hash(enviados, QCryptographicHash::Sha256).toHex();
    QVERIFY(r.confere(enviados));
    QByteArray trocado = enviados;
    trocado[trocado.size() - 4] = '2';
    QVERIFY(!r.confere(trocado));
    QVERIFY(!r.confere(enviados + "\r\n"));
    QVERIFY(!r.confere(QByteArray()));
}
