#include "dialogs/Dialogo.h"
#include "runtime/MessageBox.h"
#include "tests/support/TestMain.h"

#include <QTest>

namespace {
// Once the modal dialog is up, `passo` runs on it (as the person in front of it would act).
void quandoAbrir(std::function<void(Dialogo&)> passo) {
    QTimer::singleShot(0, [passo] {
        auto* dialogo = dynamic_cast<Dialogo*>(QApplication::activeModalWidget());
        QVERIFY(dialogo);
        passo(*dialogo);
    });
}
} // namespace

class Pergunta : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init() { MessageBox::setTestMode(false); }

    void dialogo_data() {
        QTest::addColumn<int>("foco");
        QTest::addColumn<QString>("focado");
        QTest::addColumn<int>("acao"); // 1 first button, 2 second, 0 Escape
        QTest::addColumn<int>("nOpcao");
        QTest::newRow("primeiro botão") << 1 << "BtnOK" << 1 << 1;
        QTest::newRow("segundo botão") << 0 << "BtnCancel" << 2 << 2;
        QTest::newRow("fechado de outro modo") << 2 << "BtnCancel" << 0 << 0;
    }

    void dialogo() {
        QFETCH(int, foco);
        QFETCH(QString, focado);
        QFETCH(int, acao);
        QFETCH(int, nOpcao);
        Dialogo d;
        d.Setup(foco);
        QCOMPARE(d.nOpcao, 0);
        QString comFoco;
        quandoAbrir([&](Dialogo& aberto) {
            comFoco = aberto.focusWidget() ? aberto.focusWidget()->objectName() : "";
            if (acao == 1)
                QTest::mouseClick(aberto.oCCBtnOK, Qt::LeftButton);
            else if (acao == 2)
                QTest::mouseClick(aberto.oCCBtnCancel, Qt::LeftButton);
            else
                QTest::keyClick(&aberto, Qt::Key_Escape);
        });
        d.Show();
        QCOMPARE(comFoco, focado);
        QCOMPARE(d.nOpcao, nOpcao);
        QCOMPARE(d.windowTitle(), "   A T E N Ç Ã O !");
        QVERIFY(!(d.windowFlags() & Qt::WindowCloseButtonHint));
        QCOMPARE(d.minimumSize(), d.maximumSize()); // not resizable
    }

    void avisoGet_data() {
        QTest::addColumn<QString>("botao1");
        QTest::addColumn<QString>("botao2");
        QTest::addColumn<int>("acao");
        QTest::addColumn<bool>("resposta");
        QTest::addColumn<QString>("legenda1");
        QTest::newRow("Sim") << "Sim"
                             << "Não" << 1 << true << "Sim";
        QTest::newRow("Não") << "Sim"
                             << "Não" << 2 << false << "Sim";
        QTest::newRow("fechado sem botão") << "Sim"
                                           << "Não" << 0 << false << "Sim";
        QTest::newRow("legenda vazia fica a do diálogo") << ""
                                                         << "Não" << 1 << true << "&OK";
    }

    void avisoGet() {
        QFETCH(QString, botao1);
        QFETCH(QString, botao2);
        QFETCH(int, acao);
        QFETCH(bool, resposta);
        QFETCH(QString, legenda1);
        QString legenda, texto;
        quandoAbrir([&](Dialogo& aberto) {
            legenda = aberto.oCCBtnOK->text();
            texto = aberto.oDCTexto->text();
            if (acao == 1)
                QTest::mouseClick(aberto.oCCBtnOK, Qt::LeftButton);
            else if (acao == 2)
                QTest::mouseClick(aberto.oCCBtnCancel, Qt::LeftButton);
            else
                QTest::keyClick(&aberto, Qt::Key_Escape);
        });
        QCOMPARE(AvisoGet("Deseja imprimir a cotação preenchida?", botao1, botao2, 1), resposta);
        QCOMPARE(legenda, legenda1);
        QCOMPARE(texto, "Deseja imprimir a cotação preenchida?");
    }

    void pelaCosturaDeTestes() {
        MessageBox::setTestMode(true);
        QVERIFY(AvisoGet("Enviar?", "Sim", "Não", 1)); // nothing queued: the focused button
        QVERIFY(!AvisoGet("Enviar?", "Sim", "Não", 2));
        MessageBox::setNextAnswer(2);
        QVERIFY(!AvisoGet("Enviar?", "Sim", "Não", 1));
        QCOMPARE(MessageBox::shown().size(), 3);
        QCOMPARE(MessageBox::shown().at(0).text, "Enviar?");
    }
};

COTACAO_TEST_MAIN(Pergunta)
#include "tst_dialogs.moc"
