#include "formatos/Arquivos.h"

namespace formatos {

namespace Arquivos {

bool NumeroCotacaoValido(const QString& numero) {
    if (numero.size() != 16)
        return false;
    for (const QChar c : numero)
        if (c < u'0' || c > u'9')
            return false;
    return true;
}

QString NomeCotacao(const QString& numero) {
    return numero + QStringLiteral(".cot");
}

QString NomeResposta(const QString& numero, const QString& cnpjDigitos) {
    return numero + cnpjDigitos + QStringLiteral(".cot");
}

} // namespace Arquivos

} // namespace formatos
