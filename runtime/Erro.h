#pragma once

#include <QString>

// Raises a runtime error of the program's own code (a call to a missing object, a failed file
// operation with no other answer). For now it is written to the program's warning output; the
// error report shows and logs it.
void ErroDeExecucao(const QString& descricao, const QString& argumento = QString());
