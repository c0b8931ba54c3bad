// A small program of the test suite that meets a runtime error for real and ends the way the
// error handler decides: "abandona" (a raised error, abandoned), "excecao" (an exception from
// an event handler, abandoned), "falha" (a processor exception) or "falhaNaRede" (a processor
// exception on a thread of its own, as the network thread's, while the window's thread waits). The
// second argument is its program directory, where KZERROR.LOG goes.

#include "janelas/Aplicacao.h"
#include "janelas/CaixaDeErro.h"
#include "janelas/Caixas.h"
#include "nucleo/Erro.h"
#include "nucleo/ProgramDir.h"
#include "nucleo/Regional.h"

#include <QThread>
#include <QTimer>

#include <cstdio>
#include <stdexcept>

using namespace janelas;
using namespace nucleo;

namespace {
class Lanca : public QObject {
public:
    bool event(QEvent* evento) override {
        if (evento->type() == QEvent::User)
            throw std::runtime_error("event handler failed");
        return QObject::event(evento);
    }
};

// A write through a wild pointer, out of the sanitizers' sight so the fault is the processor's.
volatile std::uintptr_t g_enderecoInvalido = 16;
[[gnu::noinline]] [[gnu::no_sanitize("address", "undefined")]] void escreveEmEnderecoInvalido() {
    *reinterpret_cast<volatile int*>(g_enderecoInvalido) = 1;
}
} // namespace

int main(int argc, char** argv) {
    Aplicacao app(argc, argv);
    if (argc < 3 || !DefinePastaDoPrograma(QString::fromLocal8Bit(argv[2]))) {
        std::fputs("usage: filho_erros abandona|excecao|falha|falhaNaRede <program dir>\n", stderr);
        return 100;
    }
    SetInternational(ModoInternacional::Windows);
    InstalaTratamentoDeErros();
    InstalaCaixaDeErro();
    Caixas::setModoDeTeste(true);

    // Each error box is answered "abandon": the program ends as the error handler decides.
    const QByteArray modo(argv[1]);
    if (modo == "abandona") {
        Error erro;
        erro.GenCode = CodigoGenerico::Gravacao;
        erro.Description = QStringLiteral("abandoned on purpose");
        erro.CanDefault = true;
        Caixas::responde(erro.Description, Caixas::Aborta);
        ErroDeExecucao(erro);
        return 101; // not reached: abandoning ends the program
    }
    if (modo == "excecao") {
        Caixas::responde(QStringLiteral("event handler failed"), Caixas::Aborta);
        Lanca alvo;
        QCoreApplication::postEvent(&alvo, new QEvent(QEvent::User));
        QTimer::singleShot(10000, [] { QCoreApplication::exit(102); });
        return QApplication::exec();
    }
    if (modo == "falha") {
        escreveEmEnderecoInvalido();
        return 103;
    }
    if (modo == "falhaNaRede") {
        QThread* rede = QThread::create([] { escreveEmEnderecoInvalido(); });
        rede->setObjectName(QStringLiteral("rede"));
        rede->start();
        // Only a program that went on after its thread's fault gets here.
        QTimer::singleShot(10000, [] { QCoreApplication::exit(104); });
        return QApplication::exec();
    }
    return 100;
}
