#include "quotation/formats/Totais.h"

#include "runtime/core/Regional.h"

namespace formatos {

double Subtotal(const QString& quantidade, const QString& preco) {
    return ValorDoTexto(quantidade) * ValorDoTexto(preco);
}

} // namespace formatos
