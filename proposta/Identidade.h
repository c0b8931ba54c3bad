#pragma once

#include <QString>

namespace proposta {

// A product as files and the local database name it across quotations: its barcode and its PLU
// together (buyers do list one barcode for two packagings, a can and a box of twelve, each with
// a PLU of its own). Either code may be missing.
struct Identidade {
    QString barras;
    QString plu;

    // The codes as a file gives them, blanks around them taken off.
    static Identidade de(const QString& barras, const QString& plu);
    // The key the draft and the last prices keep: "7891000100103 PLU:21"; the barcode alone for
    // a product without a PLU, "PLU:21" for one without a barcode.
    QString chave() const;
    static Identidade daChave(const QString& chave);
    bool vazia() const { return barras.isEmpty() && plu.isEmpty(); }

    friend bool operator==(const Identidade&, const Identidade&) = default;
};

// How a line of another file (a spreadsheet, the price table, the last prices) names a product.
enum class Correspondencia {
    Nenhuma,   // no code in common, or a code both have differs
    Identica,  // the same codes
    PorBarras, // the same barcode, one of the two without a PLU
    PorPlu,    // the same PLU, one of the two without a barcode
    Ambigua,   // it fits products of more than one identity, and is applied to none
};

// How `linha` names `produto`: every code both have must be the same, and they must have one.
Correspondencia Compara(const Identidade& linha, const Identidade& produto);

} // namespace proposta
