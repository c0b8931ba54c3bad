#pragma once

#include <QString>

// Texts the runtime itself shows.
namespace RuntimeTexts {
inline const QString Aviso = QStringLiteral("Aviso");
} // namespace RuntimeTexts
