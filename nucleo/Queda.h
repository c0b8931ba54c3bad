#pragma once

#include "nucleo/RegistroDeErro.h"

// The record of a crash (a processor exception), shared by the platforms' ways of catching one.
namespace nucleo::queda {

// Writes the record of `erro`, a processor exception (its subsystem and codes are set here), to
// KZERROR.LOG with today's date and the time, from what start-up prepared: no heap, no locks,
// no Qt.
void Registra(ErroBruto& erro);

// Start-up: the platform catches crashes from here on (signals on Linux, the unhandled
// exception filter on Windows).
void InstalaCaptura();

} // namespace nucleo::queda
