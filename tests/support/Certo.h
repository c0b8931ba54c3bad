#pragma once

#include "nucleo/Resultado.h"

#include <QtGlobal>

#include <utility>

// What a test's own preparation or reading back needs to have worked: its value, or the test
// program stops there naming the failure (a preparation that failed proves nothing).
namespace teste {

template <class T> T Certo(nucleo::Resultado<T> resultado) {
    if (!resultado)
        qFatal("failed: %s (%s)", qUtf8Printable(resultado.falha().texto),
               qUtf8Printable(resultado.falha().detalhe));
    return std::move(*resultado);
}

inline void Certo(const nucleo::Resultado<void>& resultado) {
    if (!resultado)
        qFatal("failed: %s (%s)", qUtf8Printable(resultado.falha().texto),
               qUtf8Printable(resultado.falha().detalhe));
}

} // namespace teste
