#include "app/Janelas.h"

#include "access/FormLogin.h"
#include "runtime/Window.h"

#include <QLabel>
#include <QVBoxLayout>

void AbreLogin(const Rede& rede) {
    auto* login = new FormLogin(rede, [rede](const QString& codigo, const QString& cnpj) {
        AbreCotacao(rede, codigo, cnpj);
    });
    login->setQuitOnClose(true);
    login->Setup();
    login->Show();
}

void AbreCotacao(const Rede& rede, const QString& codCotacao, const QString& cnpj) {
    Q_UNUSED(rede);
    // Stands in for the quotation form until it exists.
    auto* janela = new DataWindow;
    janela->setWindowTitle(QStringLiteral("Cotação de mercadorias ..."));
    auto* texto = new QLabel(QStringLiteral("Cotação %1 — CNPJ %2").arg(codCotacao, cnpj), janela);
    janela->setCentralWidget(texto);
    janela->resize(924, 587);
    janela->setQuitOnClose(true);
    janela->Show();
}
