#include "quotation/Colagem.h"

namespace cotacao {

Bloco LeBloco(const QString& texto) {
    Bloco bloco;
    QStringList linha;
    QString celula;
    bool entreAspas = false;
    const auto fechaCelula = [&] {
        linha.append(celula);
        celula.clear();
    };
    const auto fechaLinha = [&] {
        fechaCelula();
        bloco.append(linha);
        linha.clear();
    };
    for (qsizetype i = 0; i < texto.size(); ++i) {
        const QChar c = texto[i];
        if (entreAspas) {
            if (c == u'"' && i + 1 < texto.size() && texto[i + 1] == u'"') {
                celula += u'"';
                ++i;
            } else if (c == u'"') {
                entreAspas = false;
            } else if (c == u'\r' || c == u'\n') {
                if (!(c == u'\n' && i > 0 && texto[i - 1] == u'\r'))
                    celula += u' ';
            } else {
                celula += c;
            }
        } else if (c == u'"' && celula.isEmpty()) {
            entreAspas = true;
        } else if (c == u'\t') {
            fechaCelula();
        } else if (c == u'\r' || c == u'\n') {
            if (c == u'\r' && i + 1 < texto.size() && texto[i + 1] == u'\n')
                ++i;
            fechaLinha();
        } else {
            celula += c;
        }
    }
    // Spreadsheets end the block with a line break; a last line without one counts too.
    if (!celula.isEmpty() || !linha.isEmpty())
        fechaLinha();
    return bloco;
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
// One value into one cell, if the cell can take it.
void coloca(const DadosGrade& dados, int linha, int coluna, const QString& valor, Colagem& c) {
    if (coluna != kColunaPreco && coluna != kColunaObs)
        return;
    if (!dados.valida(linha, coluna)) {
        ++c.recusados; // beyond the last product
        return;
    }
    QString texto = valor;
    if (coluna == kColunaPreco) {
        texto = texto.trimmed();
        if (texto.isEmpty())
            return;
        if (!ValorAceito(texto)) {
            ++c.recusados;
            return;
        }
    }
    ++c.colados;
    if (dados.celula(linha, coluna).texto != texto)
        c.alteracoes.append({linha, coluna, dados.celula(linha, coluna).texto, texto});
}
} // namespace

Colagem PlanejaColagem(const DadosGrade& dados, int linha, int coluna, const Bloco& bloco,
                       const QRect& selecao) {
    Colagem c;
    const bool umValor = bloco.size() == 1 && bloco[0].size() == 1;
    if (umValor && selecao.isValid() && selecao.width() * selecao.height() > 1) {
        for (int l = selecao.top(); l <= selecao.bottom(); ++l)
            for (int col = selecao.left(); col <= selecao.right(); ++col)
                coloca(dados, l, col, bloco[0][0], c);
        return c;
    }
    for (qsizetype i = 0; i < bloco.size(); ++i)
        for (qsizetype j = 0; j < bloco[i].size(); ++j)
            coloca(dados, linha + int(i), coluna + int(j), bloco[i][j], c);
    return c;
}

} // namespace cotacao
