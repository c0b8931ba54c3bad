#include "quotation/formats/Numeros.h"

#include "runtime/Regional.h"

QString TextoNumero(const QString& texto) {
    return Str(ValorDoTexto(texto), 12, 2).trimmed();
}
