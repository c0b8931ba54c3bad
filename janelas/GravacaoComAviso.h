#pragma once

#include <QString>

namespace janelas {

// PutFileIni for a window that has no answer of its own to a failure: the failure is shown as a
// write error, which the user may retry or pass over. True once the key is written.
bool GravaIni(const QString& secao, const QString& chave, const QString& valor,
              const QString& arquivo);

} // namespace janelas
