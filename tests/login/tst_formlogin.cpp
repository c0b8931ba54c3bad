#include "tests/login/tst_formlogin.h"

#include "acesso/Textos.h"
#include "formatos/Lista.h"
#include "janelas/Caixas.h"
#include "janelas/FormEmEspera.h"
#include "janelas/FormObrigado.h"
#include "janelas/Formato.h"
#include "janelas/Textos.h"
#include "login/FormLogin.h"
#include "login/Textos.h"
#include "nucleo/Cp1252.h"
#include "nucleo/ProgramDir.h"
#include "nucleo/Textos.h"
#include "tests/support/DiretorioTeste.h"
#include "tests/support/DiscoPequeno.h"
#include "tests/support/ServidorFtpTeste.h"
#include "tests/support/TestMainJanelas.h"

#include <QApplication>
#include <QDesktopServices>
#include <QElapsedTimer>
#include <QImage>
#include <QPointer>
#include <QScrollArea>
#include <QTcpServer>
#include <QTest>

using namespace acesso;
using namespace formatos;
using namespace janelas;
using namespace nucleo;
using namespace remoto;

namespace {

const QString kNumero = "2026000000012345";

QByteArray cotacao() {
    const QString fornecedores =
        EscreveLista({"1", "Distribuidora São Jorge", "(11) 3333-4444", "11222333000181", "2",
                      "99888777000166", "(11) 5555-6666", "45987654000110"});
    return "[Geral]\r\nSolicitante=Mercado\r\nSenhaCotacao=37214508\r\nListaFornecedor=" +
           ParaCp1252(fornecedores) + "\r\nListaProdutos=\r\n";
}

enum Situacao { Normal, SemInternet, FtpForaDoAr };

// A login form wired to a real FTP server holding one quotation, in a fresh program directory.
struct Ambiente {
    ServidorFtpTeste servidor;
    DiretorioTeste programa;
    QTcpServer internet;
    QStringList aberturas;
    QPointer<FormLogin> form;

    explicit Ambiente(Situacao situacao = Normal, const ServidorFtpTeste::Opcoes& tipo = {})
        : servidor(tipo) {
        servidor.colocar(kNumero + ".cot", cotacao());
        Rede rede;
        rede.servidorFtp = servidor.endereco();
        if (situacao == FtpForaDoAr)
            rede.servidorFtp = "127.0.0.1:1";
        if (situacao != SemInternet)
            internet.listen(QHostAddress::LocalHost);
        rede.conexao.host = {"127.0.0.1",
                             situacao == SemInternet ? quint16(1) : internet.serverPort()};
        rede.conexao.dormir = [](std::chrono::milliseconds) {};
        form = new FormLogin(rede,
                             [this](const QString& codigo, const QString& cnpj, formatos::Cotacao) {
                                 aberturas << codigo + '|' + cnpj;
                                 auto* cotacao = new DataWindow;
                                 cotacao->setObjectName("cotacao");
                                 cotacao->setQuitOnClose(true);
                                 cotacao->Show();
                             });
        form->setQuitOnClose(true);
    }

    QLineEdit* campo(const char* nome) const { return form->findChild<QLineEdit*>(nome); }

    void mostrar() {
        form->Setup();
        form->Show();
        QVERIFY(QTest::qWaitForWindowActive(form));
    }

    // Types the CNPJ digits; with `lacuna` >= 0, the field skips one position after that many.
    void digitarCNPJ(const QString& digitos, int lacuna = -1) {
        QLineEdit* cnpj = campo("MCNPJ");
        QTest::mouseClick(cnpj, Qt::LeftButton);
        QTest::keyClick(cnpj, Qt::Key_Home);
        if (lacuna < 0) {
            QTest::keyClicks(cnpj, digitos);
            return;
        }
        QTest::keyClicks(cnpj, digitos.left(lacuna));
        QTest::keyClick(cnpj, Qt::Key_Right);
        QTest::keyClicks(cnpj, digitos.mid(lacuna));
    }

    // Clicks into each field as a supplier does, types the number and the password and presses
    // Enter in the password field.
    void entrar(const QString& codigo, const QString& senha) {
        QTest::mouseClick(campo("MCodCotacao"), Qt::LeftButton);
        QTest::keyClicks(campo("MCodCotacao"), codigo);
        QTest::mouseClick(campo("MSenha"), Qt::LeftButton);
        QTest::keyClicks(campo("MSenha"), senha);
        QTest::keyClick(campo("MSenha"), Qt::Key_Return);
    }
};

QStringList mensagens() {
    QStringList textos;
    for (const auto& m : Caixas::mostradas())
        textos << m.titulo + ": " + m.texto;
    return textos;
}

QString foco() {
    QWidget* w = QApplication::focusWidget();
    return w ? w->objectName() : QStringLiteral("<nenhum>");
}

bool avisoAberto() {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (dynamic_cast<FormEmEspera*>(w) && w->isVisible())
            return true;
    return false;
}

} // namespace

void Login::init() {
    Caixas::setModoDeTeste(true);
}

void Login::cleanup() {
    destroiJanelas();
}

void Login::campos() {
    Ambiente a;
    a.mostrar();
    QTest::keyClicks(a.campo("MCodCotacao"), "12345678901234567x8");
    QCOMPARE(a.campo("MCodCotacao")->text(), "1234567890123456");
    QTest::keyClicks(a.campo("MSenha"), "12a345678x9");
    QCOMPARE(a.campo("MSenha")->text(), "12345678");
    QCOMPARE(a.campo("MSenha")->echoMode(), QLineEdit::Password);
    a.digitarCNPJ("11a222");
    QCOMPARE(a.form->MCNPJ(), "11.222.   /    -  ");
    QCOMPARE(a.form->findChild<QLabel*>("MVersao")->text(), "1.07");
    QCOMPARE(a.form->windowTitle(), "Acesso ao sistema ...");
    QVERIFY(a.form->windowFlags() & Qt::FramelessWindowHint);
    QVERIFY(!a.form->mask().contains(QPoint(0, 0))); // rounded corners
    QVERIFY(a.form->mask().contains(a.form->rect().center()));

    // The tab chain follows the template.
    a.campo("MCNPJ")->setFocus();
    QStringList cadeia;
    for (int i = 0; i < 6; ++i) {
        cadeia << foco();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    QCOMPARE(cadeia, (QStringList{"MCNPJ", "MCodCotacao", "MSenha", "Ok", "Sair", "VideoAula"}));
}

void Login::setup_data() {
    QTest::addColumn<QByteArray>("config"); // empty: no Config.ini
    QTest::addColumn<QString>("mostrado");
    QTest::addColumn<QString>("foco");
    QTest::newRow("sem Config.ini") << QByteArray() << "  .   .   /    -  "
                                    << "MCNPJ";
    QTest::newRow("CNPJ só de brancos")
        << QByteArray("[Geral]\r\nCNPJ=   \r\n") << "  .   .   /    -  "
        << "MCNPJ";
    QTest::newRow("CNPJ guardado")
        << QByteArray("[Geral]\r\nCNPJ=11.222.333/0001-81\r\n") << "11.222.333/0001-81"
        << "MCodCotacao";
}

void Login::setup() {
    QFETCH(QByteArray, config);
    QFETCH(QString, mostrado);
    QFETCH(QString, foco);
    Ambiente a;
    if (!config.isEmpty())
        a.programa.escrever("Config.ini", config);
    a.mostrar();
    QCOMPARE(a.form->MCNPJ(), mostrado);
    QTRY_COMPARE(::foco(), foco);
}

void Login::recusas_data() {
    using namespace acesso::textos;
    QTest::addColumn<int>("situacao");
    QTest::addColumn<QString>("cnpj");
    QTest::addColumn<int>("lacuna");
    QTest::addColumn<QString>("codigo");
    QTest::addColumn<QString>("senha");
    QTest::addColumn<QString>("mensagem");
    QTest::addColumn<QString>("foco");
    QTest::addColumn<bool>("rede"); // whether the FTP server was reached

    // The decisions are Entrar's; here, how the form binds them: the box, the field the focus
    // goes to, the entries kept as typed.
    const QString cnpj = "11222333000181";
    QTest::newRow("número com 15 dígitos")
        << int(Normal) << cnpj << -1 << kNumero.left(15) << "37326731" << CodigoIncorreto
        << "MCodCotacao" << false;
    QTest::newRow("CNPJ sem o primeiro dígito") << int(Normal) << cnpj.mid(1) << 0 << kNumero
                                                << "37326731" << CNPJIncorreto << "MCNPJ" << false;
    QTest::newRow("sem internet") << int(SemInternet) << cnpj << -1 << kNumero << "37326731"
                                  << janelas::textos::SemConexao << "MSenha" << false;
    QTest::newRow("cotação inexistente") << int(Normal) << cnpj << -1 << "2026000000099999"
                                         << "37326731" << CotacaoInexistente << "MSenha" << true;
    QTest::newRow("senha errada") << int(Normal) << cnpj << -1 << kNumero << "37326732"
                                  << SenhaIncorreta << "MSenha" << true;
}

void Login::recusas() {
    QFETCH(int, situacao);
    QFETCH(QString, cnpj);
    QFETCH(int, lacuna);
    QFETCH(QString, codigo);
    QFETCH(QString, senha);
    QFETCH(QString, mensagem);
    QFETCH(QString, foco);
    QFETCH(bool, rede);

    Ambiente a(static_cast<Situacao>(situacao));
    a.mostrar();
    a.digitarCNPJ(cnpj, lacuna);
    const QString mostrado = a.form->MCNPJ();
    a.entrar(codigo, senha);

    QCOMPARE(mensagens(), QStringList{"Aviso: " + mensagem});
    QVERIFY(a.form && a.form->isVisible());
    QTRY_COMPARE(::foco(), foco);
    QCOMPARE(a.form->MCNPJ(), mostrado); // the entries stay as typed
    QCOMPARE(a.form->MCodCotacao(), codigo);
    QCOMPARE(a.form->MSenha(), senha);
    // A wrong password is selected, so that typing the right one replaces it.
    QCOMPARE(a.campo("MSenha")->hasSelectedText(), mensagem == acesso::textos::SenhaIncorreta);
    QVERIFY(a.aberturas.isEmpty());
    QVERIFY(!QFile::exists(a.programa.arquivo("Config.ini")));
    QVERIFY(!avisoAberto());
    QCOMPARE(a.servidor.conexoesFeitas() > 0, rede);
}

void Login::sucesso() {
    Ambiente a;
    a.mostrar();
    a.digitarCNPJ("11222333000181");
    a.entrar(kNumero, "37326731");

    QVERIFY(Caixas::mostradas().isEmpty());
    QCOMPARE(a.aberturas, QStringList{kNumero + "|11222333000181"});
    QCOMPARE(a.programa.ler("Config.ini"), QByteArray("[Geral]\r\nCNPJ=11.222.333/0001-81\r\n"));
    QVERIFY(QFile::exists(a.programa.arquivo(kNumero + ".cot")));
    QTRY_VERIFY(a.form.isNull()); // closed and gone
    QWidget* cotacao = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->isVisible() && w->objectName() == "cotacao")
            cotacao = w;
    QVERIFY(cotacao);
    QVERIFY(!avisoAberto());

    // The next start offers the CNPJ again and goes straight to the number.
    QPointer<FormLogin> antes = a.form;
    Ambiente b;
    b.programa.escrever("Config.ini", a.programa.ler("Config.ini"));
    b.mostrar();
    QCOMPARE(b.form->MCNPJ(), "11.222.333/0001-81");
    QCOMPARE(foco(), "MCodCotacao");
}

void Login::discoCheio() {
    DiscoPequeno disco;
    if (!disco.montado())
        QSKIP("this machine does not let the tests mount a small disk");
    Ambiente a;
    const QByteArray boa = cotacao();
    QFile local(disco.path() + "/" + kNumero + ".cot");
    QVERIFY(local.open(QIODevice::WriteOnly) && local.write(boa) == boa.size());
    local.close();
    a.servidor.colocar(kNumero + ".cot", boa + QByteArray(300000, ';')); // a larger one now
    DefinePastaDoPrograma(disco.path());
    disco.encher(4096);
    a.mostrar();
    a.digitarCNPJ("11222333000181");
    a.entrar(kNumero, "37326731");

    QCOMPARE(mensagens(),
             QStringList{"Aviso: " +
                         nucleo::textos::NaoGravou(nucleo::Falha::Tipo::DiscoCheio, disco.path())});
    QVERIFY(local.open(QIODevice::ReadOnly));
    QCOMPARE(local.readAll(), boa); // the good copy is still whole
    QVERIFY(a.aberturas.isEmpty());
    DefinePastaDoPrograma(a.programa.path());
}

void Login::esperaViva() {
    // A slow line: the quotation takes seconds to come while the window keeps working.
    ServidorFtpTeste::Opcoes lenta;
    lenta.limiteEnvio = 10 * 1024;
    Ambiente a(Normal, lenta);
    const QByteArray grande = cotacao() + QByteArray(40000, ';');
    a.servidor.colocar(kNumero + ".cot", grande);
    a.mostrar();
    a.digitarCNPJ("11222333000181");

    QElapsedTimer relogio;
    qint64 ultimo = 0, maiorIntervalo = 0;
    QStringList progresso;
    QTimer batida;
    QObject::connect(&batida, &QTimer::timeout, [&] {
        maiorIntervalo = std::max(maiorIntervalo, relogio.elapsed() - ultimo);
        ultimo = relogio.elapsed();
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* aviso = dynamic_cast<FormEmEspera*>(w); aviso && aviso->isVisible())
                progresso << aviso->TextoDoProgresso();
    });
    relogio.start();
    batida.start(10);
    a.entrar(kNumero, "37326731");
    batida.stop();

    QVERIFY(Caixas::mostradas().isEmpty());
    QCOMPARE(a.aberturas.size(), 1);
    QVERIFY2(relogio.elapsed() > 2000, "the line was not slow after all");
    QVERIFY2(maiorIntervalo < 100, qPrintable(QString::number(maiorIntervalo)));
    // The notice told how far it got, more than once.
    progresso = progresso.filter(QRegularExpression(
        QString("^\\d+ % \\(\\d+ de %1 KB\\)$").arg((grande.size() + 1023) / 1024)));
    progresso.removeDuplicates();
    QVERIFY2(progresso.size() > 1, qPrintable(progresso.join(u'/')));
}

void Login::sairPelaJanelaDeAgradecimento() {
    struct AppTeste : App {
        void Start() override {}
    } app;
    Ambiente a;
    a.mostrar();
    QStringList ordem;
    QPointer<FormObrigado> obrigado;
    QTimer::singleShot(0, [&] {
        QTest::mouseClick(a.form->findChild<QPushButton*>("Sair"), Qt::LeftButton);
        ordem << "sair";
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* f = dynamic_cast<FormObrigado*>(w))
                obrigado = f;
    });
    QTimer::singleShot(300, [&] {
        QVERIFY(a.form.isNull());
        QVERIFY(obrigado && obrigado->isVisible() && obrigado->quitOnClose());
        QCOMPARE(obrigado->windowTitle(), "Obrigado!");
        ordem << "ok";
        QTest::mouseClick(obrigado->findChild<QPushButton*>("Ok"), Qt::LeftButton);
    });
    QTimer::singleShot(10000, [] { App::Quit(); });
    app.Exec();
    QCOMPARE(ordem, (QStringList{"sair", "ok"})); // the loop ended only with the thank-you window
    QTRY_VERIFY(obrigado.isNull());
}

void Login::videoAula() {
    QDesktopServices::setUrlHandler("https", this, "abrirEndereco");
    Ambiente a;
    a.mostrar();
    QTest::mouseClick(a.form->findChild<QPushButton*>("VideoAula"), Qt::LeftButton);
    QDesktopServices::unsetUrlHandler("https");
    QCOMPARE(m_enderecos, QList<QUrl>{QUrl(login::textos::EnderecoVideoAula)});
    QVERIFY(a.form->isVisible());
}

// On a screen too small for it (a laptop at a large scale: this test also runs at 200 %) the login
// takes the room there is, inside the screen, and the field the focus reaches scrolls into
// sight; Tab walks the same chain.
void Login::dentroDaTela() {
    Ambiente a;
    a.mostrar();
    const QRect tela = janelas::AreaDaTela(a.form);
    QVERIFY(tela.contains(janelas::RetanguloNaTela(a.form)));
    const bool rola = a.form->findChild<QScrollArea*>("Rolagem") != nullptr;
    QCOMPARE(rola, tela.width() < 741 || tela.height() < 377);
    a.campo("MCNPJ")->setFocus();
    QStringList cadeia;
    for (int i = 0; i < 7; ++i) {
        QWidget* w = QApplication::focusWidget();
        cadeia << foco();
        const QRect dentro(w->mapTo(a.form, QPoint(0, 0)), w->size());
        QVERIFY2(a.form->rect().contains(dentro),
                 qPrintable(foco() + QString(" %1,%2 %3x%4 in %5x%6")
                                         .arg(dentro.x())
                                         .arg(dentro.y())
                                         .arg(dentro.width())
                                         .arg(dentro.height())
                                         .arg(a.form->width())
                                         .arg(a.form->height())));
        QTest::keyClick(w, Qt::Key_Tab);
    }
    QCOMPARE(cadeia,
             (QStringList{"MCNPJ", "MCodCotacao", "MSenha", "Ok", "Sair", "VideoAula", "MCNPJ"}));
    // Typed in the scrolled form, the login still goes through.
    a.digitarCNPJ("11222333000181");
    a.entrar(kNumero, "37326731");
    QCOMPARE(a.aberturas, QStringList{kNumero + "|11222333000181"});
}
