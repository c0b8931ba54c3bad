#pragma once

#include "remote/Conexao.h"

#include <QString>

// The program's windows as start-up and the login open them, each given QuitOnClose.
void AbreLogin(const Rede& rede);
void AbreCotacao(const Rede& rede, const QString& codCotacao, const QString& cnpj);
