#include "dialogos/ColunaItem.h"
#include "grade/Automacao.h"
#include "inicio/Partida.h"
#include "inicio/Suporte.h"
#include "janelas/Aplicacao.h"
#include "janelas/CaixaDeErro.h"
#include "janelas/Janela.h"
#include "janelas/Textos.h"
#include "nucleo/Erro.h"
#include "nucleo/ProgramDir.h"
#include "nucleo/Regional.h"
#include "programa/AppCotacao.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QTranslator>

#ifndef Q_OS_WIN
#include <sys/stat.h>
#endif

using namespace inicio;
using namespace programa;
using namespace janelas;
using namespace nucleo;

int main(int argc, char* argv[]) {
#ifdef Q_OS_WIN
    // MinGW frees a thread's thread_local variables before it runs their destructors, and
    // QRegularExpression keeps its JIT stack in one: a thread that matched (the network thread
    // reads the FTP replies) crashed on its way out, and the program never ended. Without the
    // JIT nothing is kept per thread; our few short patterns match as fast interpreted.
    qputenv("QT_ENABLE_REGEXP_JIT", "0");
#else
    // The supplier's prices, his CNPJ and his log are his alone: whatever the program creates,
    // files and folders, only its owner reads (Windows gives each user's folder to that user).
    ::umask(077);
#endif
    Aplicacao application(argc, argv);
    if (!DefinePastaDoPrograma(QCoreApplication::applicationDirPath()))
        return -1;
    SetInternational(ModoInternacional::Windows);
    InstalaTratamentoDeErros();
    InstalaCaixaDeErro();
    // A call to a grid object that is gone is told as the runtime tells its errors.
    OLEAutoObject::aoFalhar([](const Error& erro) { return ErroDeExecucao(erro); });
    QApplication::setWindowIcon(TARVO());

    // Qt's own dialogs (print preview, file choice) in Portuguese.
    // Beside the program where it ships them (Windows), else where Qt keeps them.
    QTranslator traducaoQt;
    const QLocale brasil(QLocale::Portuguese, QLocale::Brazil);
    const QStringList pastas{QCoreApplication::applicationDirPath() + u"/translations",
                             QLibraryInfo::path(QLibraryInfo::TranslationsPath)};
    for (const QString& pasta : pastas)
        if (traducaoQt.load(brasil, QStringLiteral("qtbase"), QStringLiteral("_"), pasta)) {
            QCoreApplication::installTranslator(&traducaoQt);
            break;
        }

    // The vendor's support at work: one command, told in a box, and no session.
    if (const auto dito =
            AtendeSuporte(QCoreApplication::arguments(), ArquivoDoPrograma(kArquivoDoBanco))) {
        WarningBox(janelas::textos::Aviso, *dito);
        return 0;
    }

    AppCotacao app(OpcoesInicio{});
    app.Start();
    return 0;
}
