#pragma once

#include "nucleo/Resultado.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace formatos {

// One product of a quotation, as its record in ListaProdutos holds it (the sixth item is unused).
struct Produto {
    QString plu;
    QString codigoBarras;
    QString descricao;
    QString quantidade;
    QString unidade;
};

// A quotation file, read once: everything the program takes from it.
struct Cotacao {
    QString solicitante;      // as written; the form shows it trimmed
    QString senhaBase;        // SenhaCotacao, the base of every supplier's password
    QStringList fornecedores; // the CNPJ digits of each complete supplier record
    QList<Produto> produtos;  // in the order of the list
};

// Reads the quotation file at `caminho`; fails as Inexistente when it is missing, as Ilegivel
// when it cannot be read.
nucleo::Resultado<Cotacao> LeCotacao(const QString& caminho);

} // namespace formatos
