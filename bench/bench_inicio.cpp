// Start-up: from starting the process to the login form shown (offscreen, local FTP server, the
// connectivity and version checks included), beside a minimal Qt window started the same way.
// Each run is a fresh process of this program, which reports on stdout once its window shows.

#include "Medida.h"
#include "janelas/Aplicacao.h"
#include "nucleo/Erro.h"
#include "nucleo/ProgramDir.h"
#include "nucleo/Regional.h"
#include "programa/AppCotacao.h"
#include "tests/support/DiretorioTeste.h"
#include "tests/support/ServidorFtpTeste.h"

#include <QEvent>
#include <QImage>
#include <QLineEdit>
#include <QProcess>
#include <QTimer>

#include <cstdio>
#include <cstring>

using namespace inicio;
using namespace janelas;
using namespace nucleo;

namespace {
void avisaQuandoMostrar() {
    QTimer::singleShot(0, [] {
        std::puts("MOSTRADA");
        std::fflush(stdout);
        App::Quit();
    });
}

// Reports the first window the program shows, as soon as it has shown.
class PrimeiraJanela : public QObject {
public:
    bool eventFilter(QObject* objeto, QEvent* evento) override {
        if (evento->type() == QEvent::Show && objeto->isWidgetType() &&
            static_cast<QWidget*>(objeto)->isWindow() && !m_vista) {
            m_vista = true;
            avisaQuandoMostrar();
        }
        return false;
    }

private:
    bool m_vista = false;
};

// The program's own start, as main() wires it, up to its first window.
int rodaOPrograma(int argc, char** argv) {
    Aplicacao aplicacao(argc, argv);
    DefinePastaDoPrograma(QString::fromLocal8Bit(argv[2]));
    SetInternational(ModoInternacional::Windows);
    InstalaTratamentoDeErros();
    PrimeiraJanela primeira;
    aplicacao.installEventFilter(&primeira);
    programa::AppCotacao app(OpcoesInicio{});
    app.Start();
    return 0;
}

// A window with one text field: it pays for the fonts as the login form does.
int janelaMinima(int argc, char** argv) {
    QApplication aplicacao(argc, argv);
    QLineEdit janela;
    janela.show();
    avisaQuandoMostrar();
    return QApplication::exec();
}

// One start: from starting the process until it has reported its window shown (its ending is
// waited for apart, and not counted).
double inicioMs(const QStringList& argumentos, const QProcessEnvironment& ambiente) {
    QByteArray dito;
    QProcess filho;
    filho.setProcessEnvironment(ambiente);
    const double ms = tempoMs([&] {
        filho.start(QCoreApplication::applicationFilePath(), argumentos);
        while (!filho.canReadLine() && filho.waitForReadyRead(30000)) {
        }
        dito = filho.readLine().trimmed();
    });
    filho.waitForFinished(30000);
    if (dito != "MOSTRADA")
        qFatal("%s showed no window", qPrintable(argumentos.join(u' ')));
    return ms;
}
} // namespace

int main(int argc, char** argv) {
    if (argc > 2 && std::strcmp(argv[1], "--programa") == 0)
        return rodaOPrograma(argc, argv);
    if (argc > 1 && std::strcmp(argv[1], "--minima") == 0)
        return janelaMinima(argc, argv);

    QCoreApplication aplicacao(argc, argv);
    ServidorFtpTeste servidor;
    servidor.colocar(QStringLiteral("Versao.ini"), "[Geral]\r\nVersao=07\r\n");
    DiretorioTeste pasta; // as installed: with the login's picture
    QImage(QStringLiteral(":/arte/entrada.png"))
        .save(pasta.arquivo(QStringLiteral("EntradaCotação.bmp")), "BMP");
    QProcessEnvironment ambiente = QProcessEnvironment::systemEnvironment();
    ambiente.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    ambiente.insert(QStringLiteral("COTACAO_SERVIDOR_FTP"), servidor.endereco());
    ambiente.insert(QStringLiteral("COTACAO_HOST_CONEXAO"), servidor.endereco());

    // In turns, so that a busy moment of the machine weighs on both alike.
    std::vector<double> login;
    std::vector<double> minima;
    for (int i = 0; i < vezes(11); ++i) {
        login.push_back(inicioMs({QStringLiteral("--programa"), pasta.path()}, ambiente));
        minima.push_back(inicioMs({QStringLiteral("--minima")}, ambiente));
    }
    linha(QStringLiteral("start-up to the login form (offscreen, local server)"),
          QStringLiteral("within 1.1x of a Qt window with one text field"),
          QStringLiteral("%1 ms (%2x)")
              .arg(mediana(login), 0, 'f', 0)
              .arg(mediana(login) / mediana(minima), 0, 'f', 2),
          QStringLiteral("text field window %1 ms").arg(mediana(minima), 0, 'f', 0));
    return 0;
}
