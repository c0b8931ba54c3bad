#include "nucleo/ProgramDir.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

namespace nucleo {

namespace {
QString& pastaGuardada() {
    static QString pasta;
    return pasta;
}
} // namespace

QString PastaDoPrograma() {
    QString& pasta = pastaGuardada();
    if (pasta.isEmpty())
        pasta = QCoreApplication::applicationDirPath();
    return pasta;
}

QString ArquivoDoPrograma(const QString& nome) {
    return QDir(PastaDoPrograma()).filePath(nome);
}

bool DefinePastaDoPrograma(const QString& pasta) {
    pastaGuardada() = QDir(pasta).absolutePath();
    return QDir::setCurrent(pastaGuardada());
}

QByteArray CaminhoDoSistema(const QString& caminho) {
#ifdef Q_OS_WIN
    return QDir::toNativeSeparators(caminho).toUtf8();
#else
    return QFile::encodeName(caminho);
#endif
}

} // namespace nucleo
