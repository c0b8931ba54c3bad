#pragma once

#include "formatos/Cotacao.h"
#include "remoto/Conexao.h"

#include <QString>

class FormLogin;

namespace banco {
class BancoLocal;
}

namespace programa {

// The program's windows as start-up and the login open them, each given QuitOnClose. The local
// database (drafts, receipts) may be missing: the forms then work without it.
// The login form in two steps: built (its window, fonts and picture; not shown, the database not
// read), then shown. Start-up builds it while the checks run on the network thread.
FormLogin* CriaLogin(const remoto::Rede& rede, banco::BancoLocal* banco);
void MostraLogin(FormLogin* login);
void AbreCotacao(const remoto::Rede& rede, banco::BancoLocal* banco, const QString& codCotacao,
                 const QString& cnpj, formatos::Cotacao cotacao);

} // namespace programa
