#pragma once

#include "grid/DadosGrade.h"

#include <QList>
#include <QString>

namespace cotacao {

// The answer's figures as the supplier types: how many products have a price, the total (the
// sum of quantity times price, as the printed report computes it) and whether it reaches the
// minimum order. Kept in cents, one row at a time, so a change costs the same for 3 products as
// for 3,500.
class Resumo {
public:
    void recalcula(const grade::DadosGrade& dados);
    void atualiza(const grade::DadosGrade& dados, int linha);

    int produtos() const { return int(m_subtotais.size()); }
    int cotados() const { return m_cotados; }
    double total() const { return double(m_centavos) / 100.0; }

    // The status bar's line, e.g. "Cotados: 12 de 3.500 | Total: 1.234,50 | Pedido mínimo
    // atingido"; the minimum order only when it is filled in.
    QString texto(const QString& pedidoMinimo) const;

private:
    QList<qint64> m_subtotais; // per product row, in cents
    qint64 m_centavos = 0;
    int m_cotados = 0;
};

} // namespace cotacao
