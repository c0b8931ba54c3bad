#pragma once

#include <QString>

// The program's own version; the login form shows it as "1.07".
inline const QString kVersaoPrograma = QStringLiteral("07");
inline const QString kArquivoVersao = QStringLiteral("Versao.ini");

// True when the installed program may run; false when the server publishes a newer version or
// its version file could not be downloaded. A program newer than the server publishes its own
// number.
bool VerificaVersao(const QString& servidor);
