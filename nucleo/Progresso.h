#pragma once

#include <QtGlobal>

#include <functional>

namespace nucleo {

// Who hears of the progress of the long step under way (the waiting notice): called on the
// thread that waits for the step, with the bytes moved and the file's size (0 while unknown).
// The network layer reports here; the window layer listens; neither knows the other.
using ObservadorDeProgresso = std::function<void(qint64 feito, qint64 total)>;
void DefineObservadorDeProgresso(ObservadorDeProgresso observador);

// Hands the progress to the observer, when there is one.
void InformaProgresso(qint64 feito, qint64 total);

} // namespace nucleo
