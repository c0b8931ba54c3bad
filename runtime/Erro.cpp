#include "runtime/Erro.h"

#include <QtDebug>

void ErroDeExecucao(const QString& descricao, const QString& argumento) {
    qWarning().noquote() << QStringLiteral("runtime error:") << descricao << argumento;
}
