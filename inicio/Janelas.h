#pragma once

#include "formatos/Cotacao.h"
#include "remoto/Conexao.h"

#include <QString>

namespace banco {
class BancoLocal;
}

namespace inicio {

// The program's windows as start-up and the login open them, each given QuitOnClose. The local
// database (drafts, receipts) may be missing: the forms then work without it.
void AbreLogin(const remoto::Rede& rede, banco::BancoLocal* banco);
void AbreCotacao(const remoto::Rede& rede, banco::BancoLocal* banco, const QString& codCotacao,
                 const QString& cnpj, formatos::Cotacao cotacao);

} // namespace inicio
