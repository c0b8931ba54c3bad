#include "nucleo/Texto.h"

QString LimpaNumeros(const QString& texto) {
    QString digitos;
    digitos.reserve(texto.size());
    for (const QChar c : texto)
        if (c >= u'0' && c <= u'9')
            digitos.append(c);
    return digitos;
}
