#include "grade/DadosGrade.h"

#include "formatos/Quantia.h"

#include <algorithm>

namespace grade {

void DadosGrade::setLinhas(int n) {
    n = std::max(n, 0);
    const int antes = linhas();
    m_celulas.resize(n);
    for (int l = antes; l < n; ++l)
        m_celulas[l].resize(colunas());
    m_mesclagens.removeIf([n](const Mesclagem& m) { return m.linha2 >= n; });
}

void DadosGrade::setColunas(int n) {
    n = std::max(n, 0);
    m_colunas.resize(n);
    for (auto& linha : m_celulas)
        linha.resize(n);
    m_mesclagens.removeIf([n](const Mesclagem& m) { return m.coluna2 >= n; });
}

int DadosGrade::alinhamento(int linha, int coluna) const {
    const int proprio = celula(linha, coluna).alinhamento;
    return proprio >= 0 ? proprio : m_colunas[coluna].alinhamento;
}

int DadosGrade::mascara(int linha, int coluna) const {
    const int propria = celula(linha, coluna).mascara;
    return propria >= 0 ? propria : m_colunas[coluna].mascara;
}

void DadosGrade::adicionaLinha(const QString& textos) {
    setLinhas(linhas() + 1);
    QList<Celula>& linha = m_celulas.last();
    int coluna = 1;
    for (const auto& texto : QStringView(textos).split(u'\t')) {
        if (coluna >= colunas())
            break;
        linha[coluna++].texto = texto.toString();
    }
}

void DadosGrade::removeLinhas(int linha1, int linha2) {
    linha1 = std::max(linha1, 0);
    linha2 = std::min(linha2, linhas() - 1);
    if (linha1 > linha2)
        return;
    m_celulas.remove(linha1, linha2 - linha1 + 1);
    m_mesclagens.removeIf([&](const Mesclagem& m) { return m.linha2 >= linha1; });
}

void DadosGrade::mescla(const Mesclagem& m) {
    if (!valida(m.linha1, m.coluna1) || !valida(m.linha2, m.coluna2))
        return;
    m_mesclagens.removeIf([&](const Mesclagem& outra) {
        return outra.linha1 <= m.linha2 && m.linha1 <= outra.linha2 && outra.coluna1 <= m.coluna2 &&
               m.coluna1 <= outra.coluna2;
    });
    m_mesclagens.append(m);
}

const Mesclagem* DadosGrade::mesclagemDe(int linha, int coluna) const {
    for (const Mesclagem& m : m_mesclagens)
        if (m.contem(linha, coluna))
            return &m;
    return nullptr;
}

std::optional<DadosGrade::Numero> DadosGrade::numero(int linha, int coluna) const {
    if (linha <= 0 || mascara(linha, coluna) != kMascaraNumerica)
        return std::nullopt;
    const QString& texto = celula(linha, coluna).texto;
    if (texto.trimmed().isEmpty())
        return std::nullopt;
    if (m_colunas[coluna].leitura == Leitura::Quantidade) {
        const auto quantidade = formatos::Quantidade::le(texto);
        return quantidade ? std::optional(Numero{quantidade->milesimos(), 3}) : std::nullopt;
    }
    const auto quantia = formatos::Quantia::le(texto);
    return quantia ? std::optional(Numero{quantia->centavos(), 2}) : std::nullopt;
}

bool DadosGrade::numerica(int linha, int coluna) const {
    return numero(linha, coluna).has_value();
}

QString DadosGrade::textoMostrado(int linha, int coluna) const {
    const auto lido = numero(linha, coluna);
    if (!lido)
        return celula(linha, coluna).texto;
    // "##,##0.00": a comma in the format groups the thousands.
    const Coluna& c = m_colunas[coluna];
    return formatos::MostraDecimal(lido->unidades, lido->decimais, c.casasDecimais,
                                   c.formato.contains(u','));
}

} // namespace grade
