#include "nucleo/Progresso.h"

namespace nucleo {

namespace {
ObservadorDeProgresso& observador() {
    static ObservadorDeProgresso o;
    return o;
}
} // namespace

void DefineObservadorDeProgresso(ObservadorDeProgresso o) {
    observador() = std::move(o);
}

void InformaProgresso(qint64 feito, qint64 total) {
    if (observador())
        observador()(feito, total);
}

} // namespace nucleo
