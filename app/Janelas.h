#pragma once

#include "remote/Conexao.h"

#include <QString>

namespace banco {
class BancoLocal;
}

// The program's windows as start-up and the login open them, each given QuitOnClose. The local
// database (drafts, receipts) may be missing: the forms then work without it.
void AbreLogin(const Rede& rede, banco::BancoLocal* banco);
void AbreCotacao(const Rede& rede, banco::BancoLocal* banco, const QString& codCotacao,
                 const QString& cnpj);
