#pragma once

#include <QString>

namespace formatos {
struct Cotacao;
}

// Whether a supplier may answer a quotation, from the quotation file downloaded into the program
// directory (false at once when it is not there).

// The typed password against the one derived from the quotation's base number and the CNPJ.
bool VerificaSenhaCotacao(const QString& numero, const QString& senha, const QString& cnpjDigitos);

// The CNPJ digits against the fourth field of each complete record of the supplier list.
bool VerificaCNPJCotacao(const QString& numero, const QString& cnpjDigitos);

// The password of a supplier: the base number plus the number of the CNPJ's first six digits,
// written in decimal digits, its first eight characters.
//
// A base with decimals counts by its whole part; the sum is exact however many digits it has
// (a sum beyond ten digits still gives its first eight). A base without a leading number
// counts as 0, so the password is the six root digits alone and no 8-digit entry matches.
namespace acesso {

QString SenhaEsperada(const QString& base, const QString& cnpjDigitos);

// The same checks on a quotation already read.
bool SenhaConfere(const formatos::Cotacao& cotacao, const QString& senha,
                  const QString& cnpjDigitos);
bool CNPJLiberado(const formatos::Cotacao& cotacao, const QString& cnpjDigitos);
} // namespace acesso
