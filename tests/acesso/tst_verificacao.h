#pragma once

#include <QObject>

class Senha : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void senhaEsperada_data();
    void senhaEsperada();
    void verificaSenha_data();
    void verificaSenha();
    void listaDeFornecedores_data();
    void listaDeFornecedores();
};
