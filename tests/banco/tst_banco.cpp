#include "banco/BancoLocal.h"
#include "banco/Rascunhos.h"
#include "banco/Recibos.h"
#include "banco/Textos.h"
#include "tests/banco/tst_tabela.h"
#include "tests/support/Certo.h"
#include "tests/support/DiretorioTeste.h"
#include "tests/support/DiscoPequeno.h"
#include "tests/support/TestMain.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QRandomGenerator>
#include <QSqlError>
#include <QSqlQuery>
#include <QTest>

#include <csignal>

class Banco : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void criaMigraEReabre() {
        DiretorioTeste dir;
        const QString arquivo = dir.arquivo("Cotacao.db");
        {
            banco::BancoLocal banco(arquivo);
            teste::Certo(banco.abre());
            QSqlQuery q(banco.db());
            QVERIFY(q.exec("PRAGMA user_version") && q.next());
            QCOMPARE(q.value(0).toInt(), 3);
            QVERIFY(q.exec("PRAGMA journal_mode") && q.next());
            QCOMPARE(q.value(0).toString(), "wal");
            q.finish();
            const QDateTime agora = QDateTime::currentDateTime();
            QVERIFY(banco::Rascunhos(banco).guarda("c", "1", {{"obs", 2, "p", "velho", agora}}));
            QVERIFY(banco::Rascunhos(banco).guarda("c", "1", {{"obs", 2, "p", "novo", agora}}));
        }
        banco::BancoLocal denovo(arquivo); // an existing file keeps its data
        QVERIFY(denovo.aberto());
        const auto itens = teste::Certo(banco::Rascunhos(denovo).le("c", "1"));
        QCOMPARE(itens.size(), 1);
        QCOMPARE(itens[0].valor, "novo");
        QVERIFY(teste::Certo(banco::Rascunhos(denovo).le("c", "2")).isEmpty()); // per supplier
    }

    void versaoMaisNovaRecusada() {
        DiretorioTeste dir;
        const QString arquivo = dir.arquivo("Cotacao.db");
        {
            banco::BancoLocal banco(arquivo);
            QSqlQuery(banco.db()).exec("PRAGMA user_version=99");
        }
        banco::BancoLocal banco(arquivo);
        QVERIFY(!banco.aberto());
        QVERIFY(banco.abre().falha().detalhe.contains("99"));
        // Another version's file is left as it is.
        QCOMPARE(banco.abre().falha().tipo, nucleo::Falha::Tipo::Recusada);
        QVERIFY(banco.movidoPara().isEmpty());
        QVERIFY(QFileInfo::exists(arquivo));
    }

    // A damaged file is moved aside, never deleted, and a fresh one takes drafts.
    void danificadoPostoDeLado_data() {
        QTest::addColumn<bool>("paginaEstragada"); // else: not a database at all
        QTest::newRow("não é um banco") << false;
        QTest::newRow("página estragada") << true;
    }

    void danificadoPostoDeLado() {
        QFETCH(bool, paginaEstragada);
        DiretorioTeste dir;
        const QString arquivo = dir.arquivo("Cotacao.db");
        if (paginaEstragada) {
            {
                banco::BancoLocal banco(arquivo);
                QList<banco::ItemRascunho> itens;
                for (int i = 1; i <= 400; ++i)
                    itens.append({"obs", i, "p", QString(60, u'x'), QDateTime()});
                QVERIFY(banco::Rascunhos(banco).guarda("c", "1", itens));
                QSqlQuery(banco.db()).exec("PRAGMA wal_checkpoint(TRUNCATE)");
            }
            QFile f(arquivo);
            QVERIFY(f.open(QIODevice::ReadWrite) && f.size() > 3 * 4096);
            f.seek(4096 + 8);
            f.write(QByteArray(3000, '\x55'));
        } else {
            dir.escrever("Cotacao.db", QByteArray(8192, 'z'));
        }
        const QByteArray danificado = dir.ler("Cotacao.db");

        banco::BancoLocal banco(arquivo);
        teste::Certo(banco.abre());
        const QString aoLado = arquivo + ".danificado-" + QDate::currentDate().toString("yyyyMMdd");
        QCOMPARE(banco.movidoPara(), aoLado);
        QCOMPARE(dir.ler(QFileInfo(aoLado).fileName()), danificado);
        QVERIFY(banco::Rascunhos(banco).guarda("c", "1", {{"obs", 1, "p", "novo", QDateTime()}}));
        QCOMPARE(teste::Certo(banco::Rascunhos(banco).le("c", "1")).size(), 1);
    }

    // A damaged file that cannot be moved aside is told as that, with both paths in the log.
    void danificadoQueNaoSaiDoLugar() {
        DiscoPequeno disco;
        if (!disco.montado())
            QSKIP("this machine does not let the tests mount a small disk");
        const QString arquivo = disco.path() + "/Cotacao.db";
        QFile f(arquivo);
        QVERIFY(f.open(QIODevice::WriteOnly) && f.write(QByteArray(8192, 'z')) == 8192);
        f.close();
        QCOMPARE(QProcess::execute("mount", {"-o", "remount,ro", disco.path()}), 0);
        banco::BancoLocal banco(arquivo);
        const auto aberto = banco.abre();
        QVERIFY(!aberto);
        QCOMPARE(aberto.falha().texto, banco::textos::NaoMovido);
        QCOMPARE(aberto.falha().tipo, nucleo::Falha::Tipo::Ilegivel);
        QVERIFY(aberto.falha().detalhe.contains(arquivo + " -> "));
        QVERIFY(banco.movidoPara().isEmpty());
    }

    // A file that cannot be opened now is tried again at the next use.
    void tentaDeNovo() {
        DiretorioTeste dir;
        banco::BancoLocal banco(dir.arquivo("ainda/nao/Cotacao.db"));
        QVERIFY(!banco.aberto());
        QCOMPARE(banco.abre().falha().tipo, nucleo::Falha::Tipo::Banco);
        QVERIFY(!banco.abre().falha().texto.isEmpty());
        QVERIFY(QDir(dir.path()).mkpath("ainda/nao"));
        teste::Certo(banco.abre());
    }

    void reciboEDescarteJuntos() {
        DiretorioTeste dir;
        banco::BancoLocal banco(dir.arquivo("Cotacao.db"));
        teste::Certo(
            banco::Rascunhos(banco).guarda("c", "1", {{"preco", 1, "p", "2,5", QDateTime()}}));
        // A failing step rolls the whole transaction back: the draft is still there.
        QVERIFY(!banco.transacao([&]() -> nucleo::Resultado<void> {
            teste::Certo(banco::Rascunhos(banco).descarta("c", "1"));
            QSqlQuery q(banco.db());
            if (!q.exec("INSERT INTO tabela_que_nao_existe VALUES (1)"))
                return banco::FalhaDoBanco(q.lastError());
            return {};
        }));
        QCOMPARE(teste::Certo(banco::Rascunhos(banco).le("c", "1")).size(), 1);
        QVERIFY(!teste::Certo(banco::Recibos(banco).ultimo("c", "1")));
    }

    // A process killed in the middle of saving (SIGKILL, nothing flushed by it) leaves a
    // database that opens, is intact, and holds one whole save: never a mix of two.
    void mortoNoMeioDaGravacao() {
        DiretorioTeste dir;
        const QString arquivo = dir.arquivo("Cotacao.db");
        for (int rodada = 0; rodada < 6; ++rodada) {
            QProcess filho;
            filho.start(FILHO_RASCUNHO, {arquivo});
            QVERIFY(filho.waitForStarted());
            int ultimo = 0;
            const int alvo = 2 + int(QRandomGenerator::global()->bounded(6));
            while (ultimo < alvo && filho.waitForReadyRead(10000))
                while (filho.canReadLine())
                    ultimo = filho.readLine().trimmed().toInt();
            QVERIFY2(ultimo >= alvo, filho.readAllStandardError().constData());
            QTest::qWait(int(QRandomGenerator::global()->bounded(40)));
            ::kill(pid_t(filho.processId()), SIGKILL);
            filho.waitForFinished();
            while (filho.canReadLine()) // commits it announced before dying
                ultimo = filho.readLine().trimmed().toInt();

            banco::BancoLocal banco(arquivo);
            teste::Certo(banco.abre());
            QSqlQuery q(banco.db());
            QVERIFY(q.exec("PRAGMA integrity_check") && q.next());
            QCOMPARE(q.value(0).toString(), "ok");
            QVERIFY(q.exec("SELECT count(*), min(valor), max(valor) FROM rascunho") && q.next());
            QCOMPARE(q.value(0).toInt(), 3500);
            QCOMPARE(q.value(1).toString(), q.value(2).toString()); // one save, whole
            QVERIFY(q.value(1).toInt() >= ultimo);                  // nothing committed lost
        }
    }
};

COTACAO_TEST_MAIN(Banco, Tabela, Listagem)
#include "tst_banco.moc"
