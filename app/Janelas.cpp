#include "app/Janelas.h"

#include "access/FormLogin.h"
#include "quotation/FormCotacao.h"

void AbreLogin(const Rede& rede) {
    auto* login = new FormLogin(rede, [rede](const QString& codigo, const QString& cnpj) {
        AbreCotacao(rede, codigo, cnpj);
    });
    login->setQuitOnClose(true);
    login->Setup();
    login->Show();
}

void AbreCotacao(const Rede& rede, const QString& codCotacao, const QString& cnpj) {
    auto* form = new FormCotacao(rede);
    form->setQuitOnClose(true);
    form->cCodCotacao = codCotacao;
    form->cCNPJ = cnpj;
    form->Setup();
    form->Show();
}
