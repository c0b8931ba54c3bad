#pragma once

#include <QString>

// Texts the runtime itself shows.
namespace RuntimeTexts {
inline const QString Aviso = QStringLiteral("Aviso");

// The error box's buttons.
inline const QString Ignorar = QStringLiteral("&Ignorar");
inline const QString Repetir = QStringLiteral("&Repetir");
inline const QString Encerrar = QStringLiteral("&Encerrar o programa");
} // namespace RuntimeTexts
