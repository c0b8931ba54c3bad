#include "quotation/formats/Numeros.h"

#include "runtime/Regional.h"

double ValorDoTexto(const QString& texto) {
    return Val(QString(texto).replace(u',', u'.'));
}

QString TextoNumero(const QString& texto) {
    return Str(ValorDoTexto(texto), 12, 2).trimmed();
}
