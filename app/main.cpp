#include "app/AppCotacao.h"
#include "runtime/ProgramDir.h"
#include "runtime/Regional.h"
#include "runtime/Window.h"

#include <QApplication>
#include <QLabel>
#include <QLibraryInfo>
#include <QTranslator>
#include <QVBoxLayout>

namespace {
// Stands in for the login form until it exists.
void abrirJanelaInicial() {
    auto* janela = new DataDialog;
    janela->setWindowTitle(QStringLiteral("Acesso ao sistema ..."));
    auto* layout = new QVBoxLayout(janela);
    layout->addWidget(new QLabel(QStringLiteral("Cotação eletrônica"), janela));
    janela->resize(494 * 3 / 2, 232 * 13 / 8);
    janela->setQuitOnClose(true);
    janela->Show();
}
} // namespace

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    if (!setProgramDir(QCoreApplication::applicationDirPath()))
        return -1;
    SetInternational(InternationalMode::Windows);

    // Qt's own dialogs (print preview, file choice) in Portuguese.
    QTranslator traducaoQt;
    if (traducaoQt.load(QLocale(QLocale::Portuguese, QLocale::Brazil), QStringLiteral("qtbase"),
                        QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(&traducaoQt);

    OpcoesInicio opcoes;
    opcoes.abrirLogin = abrirJanelaInicial;
    AppCotacao app(std::move(opcoes));
    app.Start();
    return 0;
}
