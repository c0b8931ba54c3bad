#pragma once

namespace formatos {

// The report's totals: the sum of the subtotals, the products to quote and those quoted (a
// subtotal above zero).
struct Totais {
    double total = 0;
    int aCotar = 0;
    int cotados = 0;

    void soma(double subtotal) {
        total += subtotal;
        ++aCotar;
        if (subtotal > 0)
            ++cotados;
    }
};

} // namespace formatos
