#include "tests/janelas/tst_janela.h"

#include "janelas/App.h"
#include "janelas/Caixas.h"
#include "janelas/Formato.h"
#include "janelas/Janela.h"
#include "tests/support/TestMainJanelas.h"

#include <QApplication>
#include <QPointer>
#include <QSignalSpy>
#include <QTest>

using namespace janelas;

namespace {

struct AppTeste : App {
    void Start() override {}
};

// Runs the message loop until a window holding QuitOnClose closes (or 10 s pass).
bool executarAteEncerrar(App& app) {
    bool expirou = false;
    QTimer guarda;
    guarda.setSingleShot(true);
    QObject::connect(&guarda, &QTimer::timeout, &guarda, [&] {
        expirou = true;
        App::Quit();
    });
    guarda.start(10000);
    app.Exec();
    return !expirou;
}

class DialogoTeste : public DataDialog {
public:
    bool deixarFechar = true;
    int perguntas = 0;
    int timers = 0;
    QStringList mudancas;

    using DataDialog::acompanhaEdicoes;

protected:
    bool QueryClose() override {
        ++perguntas;
        return deixarFechar;
    }
    void Timer() override { ++timers; }
    void EditChange(QLineEdit* edit) override { mudancas << edit->objectName(); }
};

} // namespace

void Janelas::init() {
    Caixas::setModoDeTeste(true);
}

void Janelas::cleanup() {
    destroiJanelas();
}

void Janelas::fecharQuemTemOFlagEncerra() {
    AppTeste app;
    QPointer<DialogoTeste> janela = new DialogoTeste;
    janela->setQuitOnClose(true);
    janela->Show();
    QTimer::singleShot(0, janela, [&] { janela->EndWindow(); });
    QVERIFY(executarAteEncerrar(app));
    QTRY_VERIFY(janela.isNull()); // destroyed when it closed
}

void Janelas::passagemSemJanelaAbertaNaoEncerra() {
    AppTeste app;
    QStringList ordem;
    auto* primeira = new DialogoTeste;
    primeira->setQuitOnClose(true);
    primeira->Show();

    // The first window gives the flag up and closes; the next one opens only later.
    QTimer::singleShot(0, [&] {
        primeira->setQuitOnClose(false);
        primeira->EndWindow();
        ordem << QStringLiteral("primeira fechada");
    });
    QTimer::singleShot(200, [&] {
        QVERIFY(QApplication::topLevelWidgets().isEmpty() ||
                !QApplication::topLevelWidgets().front()->isVisible());
        auto* segunda = new DialogoTeste;
        segunda->setQuitOnClose(true);
        segunda->Show();
        ordem << QStringLiteral("segunda aberta");
        QTimer::singleShot(100, segunda, [&, segunda] {
            ordem << QStringLiteral("segunda fechada");
            segunda->EndWindow();
        });
    });
    QVERIFY(executarAteEncerrar(app));
    QCOMPARE(ordem,
             (QStringList{QStringLiteral("primeira fechada"), QStringLiteral("segunda aberta"),
                          QStringLiteral("segunda fechada")}));
}

void Janelas::fecharSemOFlagNaoEncerra() {
    AppTeste app;
    auto* comFlag = new DialogoTeste;
    comFlag->setQuitOnClose(true);
    comFlag->Show();
    auto* semFlag = new DialogoTeste;
    semFlag->Show();
    bool comFlagAindaAberta = false;
    QTimer::singleShot(0, semFlag, [&, semFlag] { semFlag->EndWindow(); });
    QTimer::singleShot(150, comFlag, [&, comFlag] {
        comFlagAindaAberta = comFlag->isVisible();
        comFlag->EndWindow();
    });
    QVERIFY(executarAteEncerrar(app));
    QVERIFY(comFlagAindaAberta);
}

void Janelas::queryCloseRecusaMantemAberta() {
    auto* janela = new DialogoTeste;
    janela->deixarFechar = false;
    janela->Show();
    QVERIFY(!janela->close());
    QVERIFY(janela->isVisible());
    QCOMPARE(janela->perguntas, 1);
    janela->deixarFechar = true;
    QVERIFY(janela->close());
    QCOMPARE(janela->perguntas, 2);
}

void Janelas::escapeFechaPeloMesmoCaminho() {
    QPointer<DialogoTeste> janela = new DialogoTeste;
    janela->deixarFechar = false;
    janela->Show();
    QTest::keyClick(janela, Qt::Key_Escape);
    QCOMPARE(janela->perguntas, 1);
    QVERIFY(janela->isVisible());
    janela->deixarFechar = true;
    QTest::keyClick(janela, Qt::Key_Escape);
    QTRY_VERIFY(janela.isNull());
}

void Janelas::timerDeUmaVez() {
    auto* janela = new DialogoTeste;
    janela->RegisterTimer(1, true);
    QTRY_COMPARE_WITH_TIMEOUT(janela->timers, 1, 3000);
    QTest::qWait(1300);
    QCOMPARE(janela->timers, 1);
}

void Janelas::editChangeAoDigitarEAoPreencher() {
    auto* janela = new DialogoTeste;
    auto* campo = new QLineEdit(janela);
    campo->setObjectName(QStringLiteral("campo"));
    janela->acompanhaEdicoes();
    janela->Show();
    campo->setText(QStringLiteral("x"));
    QCOMPARE(janela->mudancas.size(), 1);
    QTest::keyClicks(campo, QStringLiteral("ab"));
    QCOMPARE(janela->mudancas, QStringList(3, QStringLiteral("campo")));
}

// Each box gets the answer registered for a fragment of its text or title: once, in the order
// the answers were registered; a box without one gets its default, never the real box.
void Janelas::caixasRegistradasERespondidas() {
    const auto pergunta = [](const QString& texto) {
        return Caixas::pergunta(QStringLiteral("Pergunta"), texto, Caixas::Sim, [] { return -1; });
    };
    WarningBox(QStringLiteral("Aviso"), QStringLiteral("Um texto."));
    Caixas::responde(QStringLiteral("Sim?"), Caixas::Nao);
    const int primeira = pergunta(QStringLiteral("Sim?"));
    const int segunda = pergunta(QStringLiteral("De novo?"));
    QCOMPARE(primeira, int(Caixas::Nao));
    QCOMPARE(segunda, int(Caixas::Sim)); // nothing registered for it: the default
    QCOMPARE(Caixas::mostradas().size(), 3);
    QCOMPARE(Caixas::mostradas().at(0).titulo, u"Aviso");
    QCOMPARE(Caixas::mostradas().at(0).texto, u"Um texto.");
    QCOMPARE(Caixas::mostradas().at(2).texto, u"De novo?");
    QCOMPARE(Caixas::respostasPendentes(), QStringList());

    Caixas::esqueceMostradas();
    Caixas::responde(QStringLiteral("De novo"), Caixas::Cancela);
    Caixas::responde(QStringLiteral("Pergunta"), Caixas::Nao); // a title
    Caixas::responde(QStringLiteral("Pergunta"), Caixas::Ok);
    Caixas::responde(QStringLiteral("nunca mostrada"), Caixas::Ok);
    WarningBox(QStringLiteral("Aviso"), QStringLiteral("Um texto."));     // none of them
    QCOMPARE(pergunta(QStringLiteral("Sim?")), int(Caixas::Nao));         // by its title
    QCOMPARE(pergunta(QStringLiteral("De novo?")), int(Caixas::Cancela)); // registered first
    QCOMPARE(pergunta(QStringLiteral("Sim?")), int(Caixas::Ok));          // the title's second
    QCOMPARE(pergunta(QStringLiteral("Sim?")), int(Caixas::Sim));         // all used
    QCOMPARE(Caixas::mostradas().size(), 5);
    QCOMPARE(Caixas::mostradas().at(0).resposta, int(Caixas::Ok));
    // An answer no box took is told: the box it was for changed or never showed.
    QCOMPARE(Caixas::respostasPendentes(), QStringList{QStringLiteral("nunca mostrada")});
    Caixas::setModoDeTeste(true);
    QCOMPARE(Caixas::respostasPendentes(), QStringList());
}

// A window is centred on its screen; one larger than the screen (the login form at 150 % on a
// 1024 × 600 screen) starts at the screen's corner, its title and first fields in sight.
void Janelas::centralizadaDentroDaTela_data() {
    QTest::addColumn<double>("largura"); // as a share of the available area
    QTest::addColumn<double>("altura");
    QTest::newRow("menor que a tela") << 0.5 << 0.5;
    QTest::newRow("mais larga que a tela") << 1.3 << 0.5;
    QTest::newRow("mais alta que a tela") << 0.5 << 1.4;
}

void Janelas::centralizadaDentroDaTela() {
    QFETCH(double, largura);
    QFETCH(double, altura);
    QWidget janela;
    const QRect disponivel = janela.screen()->availableGeometry();
    janela.resize(int(disponivel.width() * largura), int(disponivel.height() * altura));
    janelas::Centraliza(&janela);
    // The window as the screen shows it: with the frame it gets once shown.
    const QRect area = janelas::RetanguloNaTela(&janela);
    QVERIFY2(area.left() >= disponivel.left() && area.top() >= disponivel.top(),
             qPrintable(QString("%1,%2").arg(area.left()).arg(area.top())));
    if (largura < 1)
        QVERIFY(qAbs(area.center().x() - disponivel.center().x()) <= 1);
    if (altura < 1)
        QVERIFY(qAbs(area.center().y() - disponivel.center().y()) <= 1);
}
