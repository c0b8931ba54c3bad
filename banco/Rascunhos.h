#pragma once

#include "banco/BancoLocal.h"

#include <QDateTime>
#include <QList>
#include <QString>

#include <optional>

namespace banco {

// One value typed and not yet sent: a price or a remark of a product row, or a term.
struct ItemRascunho {
    QString campo;   // what it is (the form's own names: a column or a term's key)
    int linha = 0;   // the product row, from 1; 0 for a term
    QString produto; // the product the row held, so it is never put on another one
    QString valor;
    QDateTime alterado;

    friend bool operator==(const ItemRascunho&, const ItemRascunho&) = default;
};

// A draft not yet sent, as the list of answers shows it.
struct RascunhoPendente {
    QString cotacao;
    QString cnpj;
    QDateTime alterado; // its last change

    friend bool operator==(const RascunhoPendente&, const RascunhoPendente&) = default;
};

// The drafts of answers not yet sent, one per quotation and supplier (CNPJ digits).
class Rascunhos {
public:
    explicit Rascunhos(BancoLocal& banco)
        : m_banco(banco) {}

    // Saves the items (replacing the same field of the same row) in one transaction.
    nucleo::Resultado<void> guarda(const QString& cotacao, const QString& cnpj,
                                   const QList<ItemRascunho>& itens);

    // The draft's items, rows in order, terms first; empty when there is none.
    nucleo::Resultado<QList<ItemRascunho>> le(const QString& cotacao, const QString& cnpj);

    // When the draft last changed; nothing when there is no draft.
    nucleo::Resultado<std::optional<QDateTime>> ultimaAlteracao(const QString& cotacao,
                                                                const QString& cnpj);

    // Every draft, the latest changed first.
    nucleo::Resultado<QList<RascunhoPendente>> pendentes();

    // One statement: on its own, or inside the caller's transaction.
    nucleo::Resultado<void> descarta(const QString& cotacao, const QString& cnpj);

private:
    BancoLocal& m_banco;
};

} // namespace banco
