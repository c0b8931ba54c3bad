#include "quotation/Importacao.h"

#include "quotation/Busca.h"
#include "quotation/ColunasProdutos.h"
#include "quotation/formats/Resposta.h"
#include "runtime/core/Regional.h"

#include <QHash>

#include <cmath>

using namespace grade;
using namespace nucleo;

namespace cotacao {
namespace {

QString nomeDaColuna(const QVariant& celula) {
    QString nome;
    for (const QChar c : ChaveDeBusca(celula.toString()))
        if (c.isLetterOrNumber())
            nome += c;
    return nome;
}

int acha(const QVariantList& linha, std::initializer_list<const char16_t*> nomes) {
    for (qsizetype c = 0; c < linha.size(); ++c)
        for (const char16_t* nome : nomes)
            if (nomeDaColuna(linha[c]) == QStringView(nome))
                return int(c);
    return -1;
}

QString texto(const QVariantList& linha, int coluna) {
    if (coluna < 0 || coluna >= linha.size())
        return {};
    const QVariant& v = linha[coluna];
    // A code typed as a number in a spreadsheet (a barcode, a PLU) reads as its digits.
    if (v.typeId() == QMetaType::Double)
        return QString::number(v.toDouble(), 'f', 0);
    return v.toString().trimmed();
}

// A price from the file: its text for the grid, or nothing when it is not an amount.
std::optional<QString> preco(const QVariant& celula) {
    if (celula.typeId() == QMetaType::Double) {
        const double v = celula.toDouble();
        const double centavos = std::round(v * 100);
        if (v < 0 || std::abs(v * 100 - centavos) > 1e-6 || v >= 1e9)
            return std::nullopt;
        return Str(centavos / 100, 0, 2).trimmed();
    }
    const QString t = TextoDeValor(celula.toString().trimmed());
    return ValorAceito(t) ? std::optional<QString>(t) : std::nullopt;
}

} // namespace

ColunasDaPlanilha AchaColunas(const Tabela& tabela) {
    for (int l = 0; l < tabela.size() && l < 30; ++l) {
        const QVariantList& linha = tabela[l];
        ColunasDaPlanilha c;
        c.barras = acha(linha, {u"coddebarras", u"codigodebarras", u"codbarras", u"codigobarras",
                                u"barras", u"ean", u"ean13", u"gtin"});
        c.plu = acha(linha, {u"plu", u"codigoplu", u"codplu", u"codigointerno", u"codigo"});
        c.preco = acha(linha, {u"precor", u"preco", u"precounitario", u"precounit", u"precos",
                               u"vlrunit", u"valorunitario", u"valor"});
        c.obs = acha(linha, {u"observacoesdoproduto", u"observacaodoproduto", u"observacoes",
                             u"observacao", u"obs"});
        if ((c.preco >= 0 || c.obs >= 0) && (c.barras >= 0 || c.plu >= 0)) {
            c.cabecalho = l;
            return c;
        }
    }
    return {};
}

Importacao PlanejaImportacao(const DadosGrade& dados, const Tabela& tabela) {
    Importacao r;
    const ColunasDaPlanilha col = AchaColunas(tabela);
    if (col.cabecalho < 0)
        return r;
    r.cabecalhoAchado = true;
    QMultiHash<QString, int> porBarras, porPlu;
    for (int linha = 1; linha < dados.linhas(); ++linha) {
        porBarras.insert(dados.celula(linha, kColunaBarras).texto.trimmed(), linha);
        porPlu.insert(dados.celula(linha, kColunaPlu).texto.trimmed(), linha);
    }
    QHash<QPair<int, int>, qsizetype> planejadas; // a later line wins over an earlier one
    const auto muda = [&](int linha, int coluna, const QString& novo) {
        const QString& atual = dados.celula(linha, coluna).texto;
        const auto ja = planejadas.find({linha, coluna});
        if (ja != planejadas.end()) {
            r.alteracoes[*ja].depois = novo;
        } else if (atual != novo) {
            planejadas.insert({linha, coluna}, r.alteracoes.size());
            r.alteracoes.append({linha, coluna, atual, novo});
        }
    };
    for (qsizetype l = col.cabecalho + 1; l < tabela.size(); ++l) {
        const QVariantList& linha = tabela[l];
        const QString barras = texto(linha, col.barras), plu = texto(linha, col.plu);
        if (barras.isEmpty() && plu.isEmpty())
            continue; // a blank line, or a total under the table
        QList<int> produtos = barras.isEmpty() ? QList<int>() : porBarras.values(barras);
        if (produtos.size() > 1 && !plu.isEmpty()) {
            // One barcode on several products: the PLU says which.
            QList<int> doPlu;
            for (const int p : produtos)
                if (dados.celula(p, kColunaPlu).texto.trimmed() == plu)
                    doPlu << p;
            if (!doPlu.isEmpty())
                produtos = doPlu;
        }
        if (produtos.isEmpty() && !plu.isEmpty())
            produtos = porPlu.values(plu);
        if (produtos.isEmpty()) {
            ++r.semProduto;
            continue;
        }
        ++r.correspondidas;
        std::optional<QString> novoPreco;
        const bool temPreco = col.preco >= 0 && col.preco < linha.size() &&
                              !linha[col.preco].toString().trimmed().isEmpty();
        if (temPreco) {
            novoPreco = preco(linha[col.preco]);
            if (!novoPreco)
                ++r.recusados;
        }
        for (const int p : produtos) {
            if (novoPreco && std::abs(ValorDoTexto(dados.celula(p, kColunaPreco).texto) -
                                      ValorDoTexto(*novoPreco)) >= 0.005)
                muda(p, kColunaPreco, *novoPreco);
            if (col.obs >= 0)
                muda(p, kColunaObs, formatos::SemControles(texto(linha, col.obs)));
        }
    }
    return r;
}

Tabela TabelaDaGrade(const DadosGrade& dados) {
    Tabela t;
    QVariantList cabecalho;
    for (int c = 1; c <= kColunaObs; ++c)
        cabecalho << dados.celula(0, c).texto;
    t << cabecalho;
    for (int linha = 1; linha < dados.linhas(); ++linha) {
        QVariantList l;
        for (int c = 1; c <= kColunaObs; ++c) {
            const QString& texto = dados.celula(linha, c).texto;
            if (c == kColunaQuantidade)
                l << ValorDoTexto(texto);
            else if (c == kColunaPreco)
                l << (ValorDoTexto(texto) > 0 ? QVariant(ValorDoTexto(texto))
                                              : QVariant(QString()));
            else
                l << texto;
        }
        t << l;
    }
    return t;
}

} // namespace cotacao
