#include "grade/DadosGrade.h"

#include "nucleo/Regional.h"

#include <QRegularExpression>

using namespace nucleo;

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

bool DadosGrade::numerica(int linha, int coluna) const {
    static const QRegularExpression numero(QStringLiteral("^\\s*[+-]?[0-9]*([.,][0-9]*)?\\s*$"));
    if (linha <= 0 || mascara(linha, coluna) != kMascaraNumerica)
        return false;
    const QString& texto = celula(linha, coluna).texto;
    return std::any_of(texto.cbegin(), texto.cend(),
                       [](QChar c) { return c >= u'0' && c <= u'9'; }) &&
           numero.match(texto).hasMatch();
}

QString DadosGrade::textoMostrado(int linha, int coluna) const {
    const QString& texto = celula(linha, coluna).texto;
    if (!numerica(linha, coluna))
        return texto;
    // "##,##0.00": a comma in the format groups the thousands.
    const Coluna& c = m_colunas[coluna];
    const double valor = ValorDoTexto(texto);
    return c.formato.contains(u',') ? ComMilhares(valor, c.casasDecimais)
                                    : Str(valor, 0, c.casasDecimais).trimmed();
}

} // namespace grade
