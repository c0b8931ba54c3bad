#pragma once

#include <QString>

namespace janelas {

// PutFileIni for a window that has no answer of its own to a failure: the failure is shown as a
// write error saying why (the disk is full, the folder cannot be written...), which the user may
// retry or pass over; the system's words go to the error log. True once the key is written.
[[nodiscard]] bool GravaIni(const QString& secao, const QString& chave, const QString& valor,
                            const QString& arquivo);

} // namespace janelas
