#include "quotation/Resumo.h"

#include "quotation/ColunasProdutos.h"
#include "quotation/formats/Totais.h"
#include "runtime/core/Regional.h"

#include <cmath>

using namespace grade;
using namespace nucleo;

namespace cotacao {
namespace {

qint64 centavos(const DadosGrade& d, int linha) {
    return std::llround(formatos::Subtotal(d.celula(linha, kColunaQuantidade).texto,
                                           d.celula(linha, kColunaPreco).texto) *
                        100.0);
}

QString inteiro(qint64 n) {
    return ComMilhares(double(n), 0);
}
} // namespace

void Resumo::recalcula(const DadosGrade& dados) {
    m_subtotais.resize(std::max(dados.linhas() - 1, 0));
    m_centavos = 0;
    m_cotados = 0;
    for (int linha = 1; linha < dados.linhas(); ++linha) {
        m_subtotais[linha - 1] = centavos(dados, linha);
        m_centavos += m_subtotais[linha - 1];
        m_cotados += m_subtotais[linha - 1] > 0;
    }
}

void Resumo::atualiza(const DadosGrade& dados, int linha) {
    if (linha < 1 || linha > m_subtotais.size() || !dados.valida(linha, kColunaPreco))
        return;
    qint64& subtotal = m_subtotais[linha - 1];
    m_centavos -= subtotal;
    m_cotados -= subtotal > 0;
    subtotal = centavos(dados, linha);
    m_centavos += subtotal;
    m_cotados += subtotal > 0;
}

QString Resumo::texto(const QString& pedidoMinimo) const {
    QString t = QStringLiteral("Cotados: %1 de %2  |  Total: %3")
                    .arg(inteiro(m_cotados), inteiro(produtos()), ComMilhares(total(), 2));
    const double minimo = ValorDoTexto(pedidoMinimo);
    if (minimo > 0)
        t += total() >= minimo ? QStringLiteral("  |  Pedido mínimo atingido")
                               : QStringLiteral("  |  Abaixo do pedido mínimo (faltam %1)")
                                     .arg(ComMilhares(minimo - total(), 2));
    return t;
}

} // namespace cotacao
