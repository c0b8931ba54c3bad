#pragma once

#include "remote/Conexao.h"

class QWidget;

namespace acesso {

// The connectivity check as a form makes it before going to the server: the waiting notice
// "Verificando conexão ..." while it runs, then, when the internet cannot be reached, the box
// that says so over `janela`. True when connected.
bool ConectadoOuAvisa(QWidget* janela, const remoto::TesteConexao& conexao);

} // namespace acesso
