#pragma once

#include <QString>

namespace formatos {

// A product's subtotal as the printed report computes it: quantity times price, both texts read
// in either decimal convention ("12,500" and "12.5" alike); a text without a number counts 0.
double Subtotal(const QString& quantidade, const QString& preco);

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
