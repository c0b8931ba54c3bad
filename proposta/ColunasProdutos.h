#pragma once

namespace proposta {

// The columns of the product grid; column 0 holds the row's index in the answer lists.
inline constexpr int kColunaPlu = 1;
inline constexpr int kColunaBarras = 2;
inline constexpr int kColunaDescricao = 3;
inline constexpr int kColunaQuantidade = 4;
inline constexpr int kColunaPreco = 6;
inline constexpr int kColunaObs = 7;

} // namespace proposta
