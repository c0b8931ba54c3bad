#pragma once

#include "banco/BancoLocal.h"

#include <QDateTime>
#include <QList>
#include <QString>

#include <optional>

namespace banco {

// One line of the supplier's own price list: the product by its barcode, its PLU or both, and
// what the grid gets for it.
struct ItemDaTabela {
    QString barras;
    QString plu;
    QString preco; // as typed in the grid: two decimals, the regional separator ("12,50")
    QString obs;   // may be empty

    friend bool operator==(const ItemDaTabela&, const ItemDaTabela&) = default;
};

// A product of a quotation as the table looks it up.
struct ProdutoProcurado {
    QString barras;
    QString plu;
};

// The supplier's price list, kept whole in the local database: imported at once, replacing the
// one before, and looked up for a whole quotation at once. A line with both a barcode and a PLU
// is found by either.
class TabelaDePrecos {
public:
    explicit TabelaDePrecos(BancoLocal& banco)
        : m_banco(banco) {}

    // Where the current table came from.
    struct Origem {
        QString arquivo; // the file's name, as imported
        QDateTime quando;
        int itens = 0;
    };

    // Replaces the whole table by `itens` in one transaction; the table before stays whole when
    // anything fails.
    nucleo::Resultado<void> substitui(const QList<ItemDaTabela>& itens, const QString& arquivo,
                                      const QDateTime& quando);

    // Removes the whole table, in one transaction.
    nucleo::Resultado<void> apaga();

    // The current table's origin; nothing when no table was imported.
    nucleo::Resultado<std::optional<Origem>> origem();

    // The lines that share a barcode or a PLU with any of `produtos`, in the table's order;
    // which line is whose product is for the caller to decide.
    nucleo::Resultado<QList<ItemDaTabela>> procura(const QList<ProdutoProcurado>& produtos);

private:
    BancoLocal& m_banco;
};

} // namespace banco
