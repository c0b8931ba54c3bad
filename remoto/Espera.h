#pragma once

#include "remoto/Ftp.h"

#include <functional>

namespace remoto {

// Network work runs on one thread of its own. Where a window waits for its result, the window's
// thread waits in a local event loop with the person's input held back (nucleo::BloqueioDeEntrada):
// the steps keep their order, no other command can start, and every window keeps painting.

// Runs `tarefa` on the network thread and waits here for it to end. Progress the task reports
// reaches the progress observer (nucleo::DefineObservadorDeProgresso) on this thread. Without an
// application object, or on the network thread itself, the task simply runs here.
void NoTrabalhador(const std::function<void(const AvisoDeProgresso& progresso)>& tarefa);

// Work for the thread that next waits for the network thread: `trabalho` runs once, there, right
// after that task was handed over and before the wait, so that both threads work at once
// (start-up builds the login form while the version is checked). An empty one withdraws it.
void DuranteAProximaEspera(std::function<void()> trabalho);

// Baixa and Sobe on the network thread, waited for as above.
Desfecho BaixaEsperando(const PedidoFtp& pedido);
Desfecho SobeEsperando(const PedidoFtp& pedido);

} // namespace remoto
