#include "app/AppCotacao.h"
#include "dialogs/ColunaItem.h"
#include "runtime/core/Erro.h"
#include "runtime/core/ProgramDir.h"
#include "runtime/core/Regional.h"
#include "runtime/ui/Aplicacao.h"
#include "runtime/ui/CaixaDeErro.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QTranslator>

int main(int argc, char* argv[]) {
    Aplicacao application(argc, argv);
    if (!setProgramDir(QCoreApplication::applicationDirPath()))
        return -1;
    SetInternational(InternationalMode::Windows);
    InstalaTratamentoDeErros();
    InstalaCaixaDeErro();
    QApplication::setWindowIcon(TARVO());

    // Qt's own dialogs (print preview, file choice) in Portuguese.
    QTranslator traducaoQt;
    if (traducaoQt.load(QLocale(QLocale::Portuguese, QLocale::Brazil), QStringLiteral("qtbase"),
                        QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(&traducaoQt);

    AppCotacao app(OpcoesInicio{});
    app.Start();
    return 0;
}
