#pragma once

#include <QString>
#include <QtGlobal>

namespace nucleo {

// A text that names a count, in its two forms: "1 produto", "2 produtos" (none takes the plural,
// as Portuguese has it). The count is put in by the caller, as each text places it.
struct Plural {
    QString um;
    QString varios;

    const QString& para(qint64 quantos) const { return quantos == 1 ? um : varios; }
};

} // namespace nucleo
