#include "dialogos/ColunaItem.h"
#include "dialogos/Dialogo.h"
#include "janelas/Caixas.h"
#include "tests/support/DiretorioTeste.h"
#include "tests/support/TestMainJanelas.h"

#include <QMessageBox>
#include <QPushButton>
#include <QStyleOption>
#include <QTest>

using namespace janelas;

namespace {
// Once the modal dialog is up, `passo` runs on it (as the person in front of it would act).
// Whatever happens inside, no modal dialog outlives a second: a failure ends the test at once
// instead of leaving the dialog waiting for CTest's time limit. Answers whether it came up.
std::shared_ptr<bool> quandoAbrir(std::function<void(Dialogo&)> passo) {
    auto abriu = std::make_shared<bool>(false);
    QTimer::singleShot(0, [passo, abriu] {
        if (auto* dialogo = dynamic_cast<Dialogo*>(QApplication::activeModalWidget())) {
            *abriu = true;
            passo(*dialogo);
        }
    });
    QTimer::singleShot(1000, [] {
        if (QWidget* preso = QApplication::activeModalWidget())
            preso->close();
    });
    return abriu;
}

// Whether the style draws the keyboard focus on `w`: it has the focus, and its window takes the
// focus frame as shown (as it does after a Tab).
bool focoVisivel(QWidget* w) {
    if (!w || !QTest::qWaitForWindowActive(w->window()))
        return false;
    QStyleOption opcao;
    opcao.initFrom(w);
    return (opcao.state & QStyle::State_HasFocus) &&
           (opcao.state & QStyle::State_KeyboardFocusChange);
}

// The person's answer: 1 clicks the first button, 2 the second, anything else presses Esc.
void responde(Dialogo& aberto, int acao) {
    if (acao == 1)
        QTest::mouseClick(aberto.oCCBtnOK, Qt::LeftButton);
    else if (acao == 2)
        QTest::mouseClick(aberto.oCCBtnCancel, Qt::LeftButton);
    else
        QTest::keyClick(&aberto, Qt::Key_Escape);
}
} // namespace

class Pergunta : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init() { Caixas::setModoDeTeste(false); }

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
        bool focoDesenhado = false;
        const auto abriu = quandoAbrir([&](Dialogo& aberto) {
            comFoco = aberto.focusWidget() ? aberto.focusWidget()->objectName() : "";
            focoDesenhado = focoVisivel(aberto.focusWidget());
            // Drawn: the focused button looks otherwise than when the focus is elsewhere.
            auto* botao = aberto.focusWidget();
            const QImage focado = botao->grab().toImage();
            (botao == aberto.oCCBtnOK ? aberto.oCCBtnCancel : aberto.oCCBtnOK)
                ->setFocus(Qt::TabFocusReason);
            focoDesenhado = focoDesenhado && botao->grab().toImage() != focado;
            botao->setFocus(Qt::TabFocusReason);
            responde(aberto, acao);
        });
        d.Show();
        QVERIFY(*abriu);
        QCOMPARE(comFoco, focado);
        QVERIFY(focoDesenhado);
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
        const auto abriu = quandoAbrir([&](Dialogo& aberto) {
            legenda = aberto.oCCBtnOK->text();
            texto = aberto.oDCTexto->text();
            responde(aberto, acao);
        });
        QCOMPARE(AvisoGet("Deseja imprimir a cotação preenchida?", botao1, botao2, 1), resposta);
        QVERIFY(*abriu);
        QCOMPARE(legenda, legenda1);
        QCOMPARE(texto, "Deseja imprimir a cotação preenchida?");
    }

    // The program's own question box: the default button has the focus, drawn from the start.
    void simOuNao_data() {
        QTest::addColumn<bool>("padraoSim");
        QTest::newRow("Sim") << true;
        QTest::newRow("Não") << false;
    }

    void simOuNao() {
        QFETCH(bool, padraoSim);
        QString comFoco;
        bool focoDesenhado = false;
        QTimer::singleShot(0, [&] {
            auto* caixa = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!caixa)
                return;
            auto* botao = qobject_cast<QPushButton*>(caixa->focusWidget());
            comFoco = botao ? botao->text() : QString();
            focoDesenhado = focoVisivel(botao);
            QTest::keyClick(caixa->focusWidget(), Qt::Key_Space); // the focused button
        });
        QTimer::singleShot(1000, [] {
            if (QWidget* preso = QApplication::activeModalWidget())
                preso->close();
        });
        QCOMPARE(Caixas::simOuNao(nullptr, "Apagar?", "Sim", "Não", padraoSim), padraoSim);
        QCOMPARE(comFoco, padraoSim ? "Sim" : "Não");
        QVERIFY(focoDesenhado);
    }

    void pelaCosturaDeTestes() {
        Caixas::setModoDeTeste(true);
        QVERIFY(AvisoGet("Enviar?", "Sim", "Não", 1)); // nothing queued: the focused button
        QVERIFY(!AvisoGet("Enviar?", "Sim", "Não", 2));
        Caixas::responde("Enviar?", 2);
        QVERIFY(!AvisoGet("Enviar?", "Sim", "Não", 1));
        QCOMPARE(Caixas::respostasPendentes(), QStringList());
        QCOMPARE(Caixas::mostradas().size(), 3);
        QCOMPARE(Caixas::mostradas().at(0).texto, "Enviar?");
    }
};

class Colunas : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void columnAdd_data() {
        QTest::addColumn<QString>("nome");
        QTest::addColumn<QString>("largura");
        QTest::addColumn<bool>("adiciona");
        QTest::newRow("nome e largura") << "Preco"
                                        << "80" << true;
        QTest::newRow("sem largura") << "Preco"
                                     << "" << false;
        QTest::newRow("sem nome") << ""
                                  << "80" << false;
    }

    void columnAdd() {
        QFETCH(QString, nome);
        QFETCH(QString, largura);
        QFETCH(bool, adiciona);
        ColumnAdd d;
        QCOMPARE(d.windowTitle(), "Inserindo coluna . . .");
        QCOMPARE(d.Coluna->statusTip(), "Cria coluna com dados.");
        QCOMPARE(d.Coluna->toolTip(), "Nome do Objeto FieldSpec");
        QTest::keyClicks(d.Coluna, nome);
        QTest::keyClicks(d.Largura, largura);
        QTest::keyClicks(d.Codigo, "oWin:Server:Recno");
        d.BtnOK();
        QCOMPARE(d.lAdiciona, adiciona);
        QCOMPARE(d.cColuna, adiciona ? nome : QString());
        QCOMPARE(d.cWidth, adiciona ? largura : QString());
        QCOMPARE(d.cEdit, adiciona ? "FALSE" : QString()); // untouched combo: "FALSE"
        QCOMPARE(d.cBlock, adiciona ? "oWin:Server:Recno" : QString());

        ColumnAdd cancelado;
        QTest::keyClicks(cancelado.Coluna, "x");
        cancelado.BtnCancel();
        QVERIFY(!cancelado.lAdiciona);
    }

    void columnMov_data() {
        QTest::addColumn<QString>("texto");
        QTest::addColumn<int>("coluna");
        QTest::newRow("7") << "7" << 7;
        QTest::newRow("letras") << "abc" << 0;
        QTest::newRow("vazio") << "" << 0;
        QTest::newRow("número e letras") << "12a" << 12;
    }

    void columnMov() {
        QFETCH(QString, texto);
        QFETCH(int, coluna);
        auto* pelo = new ColumnMov;
        pelo->Show();
        QTest::keyClicks(pelo->nColuna, texto);
        QTest::mouseClick(pelo->findChild<QPushButton*>("BtnOK"), Qt::LeftButton);
        QCOMPARE(pelo->nNewColuna, coluna);

        ColumnMov fechado; // closed by other means: the number is taken all the same
        fechado.show();
        QTest::keyClicks(fechado.nColuna, texto);
        fechado.setAttribute(Qt::WA_DeleteOnClose, false);
        fechado.close();
        QCOMPARE(fechado.nNewColuna, coluna);
    }

    void novoItem() {
        DiretorioTeste programa;
        NovoItem primeiro;
        QVERIFY(primeiro.RadioSimples->isChecked()); // no Estoque.Ini: the simple item
        QTest::mouseClick(primeiro.RadioVinculo, Qt::LeftButton);
        primeiro.BtnNovo();
        QCOMPARE(primeiro.nPressed, 2);
        QCOMPARE(programa.ler("Estoque.Ini"), QByteArray("[CONFIG]\r\nNOVOTIPO=2\r\n"));

        NovoItem segundo;
        QVERIFY(segundo.RadioVinculo->isChecked());
        segundo.BtnSair();
        QCOMPARE(segundo.nPressed, 0);
        QCOMPARE(programa.ler("Estoque.Ini"), QByteArray("[CONFIG]\r\nNOVOTIPO=2\r\n"));

        programa.escrever("Estoque.Ini", "[CONFIG]\r\nNOVOTIPO=7\r\n");
        NovoItem nenhum;
        QVERIFY(!nenhum.RadioSimples->isChecked() && !nenhum.RadioVinculo->isChecked());
        nenhum.BtnNovo();
        QCOMPARE(programa.ler("Estoque.Ini"), QByteArray("[CONFIG]\r\nNOVOTIPO=0\r\n"));

        QVERIFY(!TARVO().isNull());
    }
};

COTACAO_TEST_MAIN_JANELAS(Pergunta, Colunas)
#include "tst_dialogos.moc"
