#include "proposta/Colagem.h"

#include "formatos/Quantia.h"
#include "formatos/Resposta.h"
#include "nucleo/Regional.h"
#include "proposta/ColunasProdutos.h"
#include "proposta/Planilha.h"
#include "proposta/Textos.h"

#include <algorithm>

namespace proposta {

Bloco LeBloco(const QString& texto, int linhas, int colunas, int* alem) {
    return SeparaCelulas(texto, u'\t', linhas, colunas, alem);
}

QString EscreveBloco(const Bloco& bloco) {
    QString texto;
    for (const QStringList& linha : bloco) {
        for (qsizetype c = 0; c < linha.size(); ++c) {
            if (c > 0)
                texto += u'\t';
            QString celula = linha[c];
            if (celula.contains(u'\t') || celula.contains(u'"') || celula.contains(u'\n')) {
                celula.replace(QStringLiteral("\""), QStringLiteral("\"\""));
                celula = u'"' + celula + u'"';
            }
            texto += celula;
        }
        texto += u'\n';
    }
    return texto;
}

namespace {
// What a message quotes of a text refused.
constexpr qsizetype kMaximoDoTexto = 40;

// One value into one cell, if the cell can take it.
void coloca(const Proposta& proposta, int linha, int coluna, const QString& valor, Colagem& c) {
    if (coluna != kColunaPreco && coluna != kColunaObs)
        return;
    const int produto = linha - 1;
    if (produto < 0 || produto >= proposta.produtos()) {
        ++c.recusados; // beyond the last product
        return;
    }
    QString texto = formatos::SemControles(valor);
    if (coluna == kColunaPreco) {
        texto = nucleo::TextoDeValor(valor.trimmed());
        if (texto.isEmpty())
            return;
        const auto quantia = formatos::Quantia::le(texto);
        if (!quantia) {
            // In its cell as it stands, a price to correct: the supplier sees which it was.
            ++c.recusados;
            if (c.naoEValor.isEmpty())
                c.naoEValor = texto;
            texto = formatos::SemControles(texto);
        } else {
            ++c.colados;
            if (texto.contains(u'$'))
                texto = quantia->numero(); // "R$ 8,99" as the amount it is
        }
    } else {
        ++c.colados;
    }
    const Campo campo = coluna == kColunaPreco ? Campo::Preco : Campo::Observacao;
    if (proposta.texto(produto, campo) != texto)
        c.alteracoes.append({produto, campo, proposta.texto(produto, campo), texto});
}
} // namespace

Colagem PlanejaColagem(const Proposta& proposta, int linha, int coluna, const Bloco& bloco,
                       const QRect& selecao, int linhasAlem) {
    Colagem c;
    c.recusados = linhasAlem;
    const bool umValor = bloco.size() == 1 && bloco[0].size() == 1;
    if (umValor && selecao.isValid() && selecao.width() * selecao.height() > 1) {
        for (int l = selecao.top(); l <= selecao.bottom(); ++l)
            for (int col = selecao.left(); col <= selecao.right(); ++col)
                coloca(proposta, l, col, bloco[0][0], c);
        return c;
    }
    for (qsizetype i = 0; i < bloco.size(); ++i)
        for (qsizetype j = 0; j < bloco[i].size(); ++j)
            coloca(proposta, linha + int(i), coluna + int(j), bloco[i][j], c);
    return c;
}

QString ResumeColagem(const Colagem& c) {
    using namespace textos;
    QString texto = Colados.para(c.colados).arg(c.colados) +
                    ColadosRecusados.para(c.recusados).arg(c.recusados);
    if (!c.naoEValor.isEmpty())
        texto += ColadoNaoEValor.arg(c.naoEValor.left(kMaximoDoTexto), RegraDaQuantia);
    return texto;
}

Colagem ColaTexto(const Proposta& proposta, int linha, int coluna, const QString& texto,
                  const QRect& selecao) {
    int alem = 0;
    const Bloco bloco = LeBloco(texto, std::max(proposta.produtos() - linha + 1, 1),
                                std::max(kColunaObs - coluna + 1, 1), &alem);
    return PlanejaColagem(proposta, linha, coluna, bloco, selecao, alem);
}

} // namespace proposta
