#include "runtime/core/ProgramDir.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

namespace {
QString& storedDir() {
    static QString dir;
    return dir;
}
} // namespace

QString programDir() {
    QString& dir = storedDir();
    if (dir.isEmpty())
        dir = QCoreApplication::applicationDirPath();
    return dir;
}

QString programFile(const QString& name) {
    return QDir(programDir()).filePath(name);
}

bool setProgramDir(const QString& dir) {
    storedDir() = QDir(dir).absolutePath();
    return QDir::setCurrent(storedDir());
}

QByteArray CaminhoDoSistema(const QString& caminho) {
#ifdef Q_OS_WIN
    return QDir::toNativeSeparators(caminho).toUtf8();
#else
    return QFile::encodeName(caminho);
#endif
}
