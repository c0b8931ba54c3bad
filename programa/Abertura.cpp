#include "programa/Abertura.h"

#include "cotacao/FormCotacao.h"
#include "cotacao/RelatorioCotacao.h"
#include "login/FormLogin.h"

namespace programa {

FormLogin* CriaLogin(const remoto::Rede& rede, banco::BancoLocal* banco) {
    auto* login = new FormLogin(
        rede,
        [rede, banco](const QString& codigo, const QString& cnpj, formatos::Cotacao cotacao) {
            AbreCotacao(rede, banco, codigo, cnpj, std::move(cotacao));
        },
        banco, cotacao::ImprimeRespostaGuardada);
    login->setQuitOnClose(true);
    return login;
}

void MostraLogin(FormLogin* login) {
    login->Setup();
    login->Show();
}

void AbreCotacao(const remoto::Rede& rede, banco::BancoLocal* banco, const QString& codCotacao,
                 const QString& cnpj, formatos::Cotacao cotacao) {
    auto* form = new FormCotacao(rede, banco);
    form->setQuitOnClose(true);
    form->cCodCotacao = codCotacao;
    form->cCNPJ = cnpj;
    form->usaCotacao(std::move(cotacao));
    form->Setup();
    form->Show();
}

} // namespace programa
