#pragma once

#include <QByteArray>
#include <QString>

namespace nucleo {

// The program directory holds everything the program keeps on disk: settings, downloaded
// quotations, the version file and the pictures. It is the directory of the executable and,
// from start-up on, also the current directory; every file the program reads or writes is named
// through it (ArquivoDoPrograma) all the same, transfers included.
QString PastaDoPrograma();

// Full path of a file in the program directory.
QString ArquivoDoPrograma(const QString& nome);

// Points the program at another directory (start-up uses the executable's; tests a temporary
// one). Also makes it the current directory; false when that fails.
bool DefinePastaDoPrograma(const QString& pasta);

// A path as the system's own file functions take it: UTF-8 on Windows (widened where it is
// used), the file system's bytes elsewhere.
QByteArray CaminhoDoSistema(const QString& caminho);

} // namespace nucleo
