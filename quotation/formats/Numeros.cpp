#include "quotation/formats/Numeros.h"

#include "runtime/core/Regional.h"

using namespace nucleo;

namespace formatos {

QString TextoNumero(const QString& texto) {
    return Str(ValorDoTexto(texto), 12, 2).trimmed();
}

QString TextoDeQuantia(const QString& texto) {
    return texto.trimmed().isEmpty() ? QString() : TextoNumero(texto);
}

} // namespace formatos
