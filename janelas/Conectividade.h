#pragma once

#include <functional>

class QWidget;

namespace janelas {

// The connectivity check as a window makes it before going to the server: the waiting notice
// "Verificando conexão ..." while `verifica` runs, then, when the internet cannot be reached, the
// box that says so over `janela`. True when connected.
bool ConectadoOuAvisa(QWidget* janela, const std::function<bool()>& verifica);

} // namespace janelas
