// The program's start as the supplier sees it: start-up's boxes, then the login form, shown only
// once the checks passed.
#include "tests/programa/tst_abertura.h"

#include "inicio/Textos.h"
#include "janelas/Caixas.h"
#include "janelas/Janela.h"
#include "login/FormLogin.h"
#include "programa/AppCotacao.h"
#include "remoto/Tls.h"
#include "tests/inicio/Partidas.h"

#include <QApplication>
#include <QRegularExpression>
#include <QTest>
#include <QTimer>

using namespace janelas;
using namespace teste;

namespace {

// The options of a start whose first window is a plain one that closes itself, counted.
OpcoesInicio comLogin(Inicializacao& ini, int& abertos) {
    OpcoesInicio o = ini.opcoes();
    o.abrirLogin = [&abertos] {
        ++abertos;
        auto* janela = new DataDialog;
        janela->setQuitOnClose(true);
        janela->Show();
        QTimer::singleShot(50, janela, [janela] { janela->EndWindow(); });
    };
    return o;
}

QStringList textosMostrados() {
    QStringList textos;
    for (const auto& m : Caixas::mostradas()) {
        if (m.titulo != u"Aviso")
            textos << QStringLiteral("caption: ") + m.titulo;
        textos << m.texto;
    }
    return textos;
}

// Counts the login forms shown, notes whether the version had come by then, and closes each.
class LoginsMostrados : public QObject {
public:
    explicit LoginsMostrados(ServidorFtpTeste& servidor)
        : m_servidor(servidor) {}
    int mostrados = 0;
    bool versaoAntes = true;
    bool eventFilter(QObject* objeto, QEvent* evento) override {
        if (evento->type() == QEvent::Show && dynamic_cast<FormLogin*>(objeto)) {
            ++mostrados;
            const QRegularExpression retr(QStringLiteral("^RETR .*") + kArquivoVersao + u'$');
            versaoAntes = versaoAntes && !m_servidor.comandos().filter(retr).isEmpty();
            QTimer::singleShot(0, objeto, [objeto] { static_cast<QWidget*>(objeto)->close(); });
        }
        return false;
    }

private:
    ServidorFtpTeste& m_servidor;
};

} // namespace

void Abertura::init() {
    Caixas::setModoDeTeste(true);
    remoto::UsaGuardaDeServidores({});
}

void Abertura::semConexao() {
    Inicializacao ini;
    int loginsAbertos = 0;
    OpcoesInicio opcoes = comLogin(ini, loginsAbertos);
    ini.internet.close();
    int pausas = 0;
    opcoes.rede.conexao.dormir = [&](std::chrono::milliseconds) { ++pausas; };
    programa::AppCotacao app(opcoes);
    app.Start();
    QCOMPARE(pausas, 3);
    QCOMPARE(textosMostrados(), QStringList{inicio::textos::SemConexao});
    QCOMPARE(loginsAbertos, 0);
    QCOMPARE(ini.servidor.conexoesFeitas(), 0);
    QVERIFY(QDir(ini.programa.path()).isEmpty());
}

void Abertura::normal() {
    Inicializacao ini;
    ini.servidor.colocar(kArquivoVersao, versao("07"));
    int loginsAbertos = 0;
    programa::AppCotacao app(comLogin(ini, loginsAbertos));
    app.Start(); // returns once the login window, which holds QuitOnClose, has closed
    QCOMPARE(loginsAbertos, 1);
    QVERIFY(textosMostrados().isEmpty());
}

// The real login form, built while the version is checked: shown only when start-up leads to
// it, after the version came; never when start-up ends (no connection, an update started).
void Abertura::loginSoAposAsChecagens_data() {
    QTest::addColumn<QByteArray>("publicada");
    QTest::addColumn<bool>("conectado");
    QTest::addColumn<bool>("mostra");
    QTest::newRow("em dia") << QByteArray("07") << true << true;
    QTest::newRow("atualizacao iniciada") << QByteArray("08") << true << false;
    QTest::newRow("sem conexao") << QByteArray("07") << false << false;
}

void Abertura::loginSoAposAsChecagens() {
    QFETCH(QByteArray, publicada);
    QFETCH(bool, conectado);
    QFETCH(bool, mostra);
    Inicializacao ini;
    ini.servidor.colocar(kArquivoVersao, versao(publicada));
    publica(ini.servidor, kInstaladorTeste);
    OpcoesInicio opcoes = ini.opcoes();
    opcoes.abrirLogin = nullptr; // the program's own login form
    opcoes.iniciarProcesso = [](const QString&, const QString&) { return true; };
    if (!conectado)
        ini.internet.close();
    const auto formsDeLogin = [] {
        int n = 0;
        for (QWidget* janela : QApplication::topLevelWidgets())
            n += dynamic_cast<FormLogin*>(janela) != nullptr;
        return n;
    };
    const int antes = formsDeLogin();
    LoginsMostrados logins(ini.servidor);
    qApp->installEventFilter(&logins);
    {
        programa::AppCotacao app(opcoes);
        app.Start();
    }
    qApp->removeEventFilter(&logins);
    QCOMPARE(logins.mostrados, mostra ? 1 : 0);
    QVERIFY(logins.versaoAntes);
    if (!mostra)
        QCOMPARE(formsDeLogin(), antes); // built and never shown: gone with the start
}
