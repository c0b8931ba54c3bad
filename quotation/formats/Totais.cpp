#include "quotation/formats/Totais.h"

#include "runtime/core/Regional.h"

using namespace nucleo;

namespace formatos {

double Subtotal(const QString& quantidade, const QString& preco) {
    return ValorDoTexto(quantidade) * ValorDoTexto(preco);
}

} // namespace formatos
