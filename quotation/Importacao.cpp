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
        if (!std::isfinite(v) || v < 0 || std::abs(v * 100 - centavos) > 1e-6 || v >= 1e9)
            return std::nullopt;
        return Str(centavos / 100, 0, 2).trimmed();
    }
    const QString t = TextoDeValor(celula.toString().trimmed());
    return ValorAceito(t) ? std::optional<QString>(t) : std::nullopt;
}

} // namespace

std::optional<ColunasDaPlanilha> ColunasDoCabecalho(const QVariantList& linha) {
    ColunasDaPlanilha c;
    c.barras = acha(linha, {u"coddebarras", u"codigodebarras", u"codbarras", u"codigobarras",
                            u"barras", u"ean", u"ean13", u"gtin"});
    c.plu = acha(linha, {u"plu", u"codigoplu", u"codplu", u"codigointerno", u"codigo"});
    c.preco = acha(linha, {u"precor", u"preco", u"precounitario", u"precounit", u"precos",
                           u"vlrunit", u"valorunitario", u"valor"});
    c.obs = acha(linha, {u"observacoesdoproduto", u"observacaodoproduto", u"observacoes",
                         u"observacao", u"obs"});
    if ((c.preco >= 0 || c.obs >= 0) && (c.barras >= 0 || c.plu >= 0))
        return c;
    return std::nullopt;
}

namespace {

// Plans the import as the rows arrive: the heading among the first rows, then, with only its
// four columns read (barcode, PLU, price, remark, in that order), one line after the other.
class Planejador : public DestinoDeLinhas {
public:
    explicit Planejador(const DadosGrade& dados)
        : m_dados(dados) {
        for (int linha = 1; linha < dados.linhas(); ++linha) {
            m_porBarras.insert(dados.celula(linha, kColunaBarras).texto.trimmed(), linha);
            m_porPlu.insert(dados.celula(linha, kColunaPlu).texto.trimmed(), linha);
        }
    }

    bool linha(const QVariantList& celulas) override {
        if (m_colunas.isEmpty()) {
            if (const auto c = ColunasDoCabecalho(celulas)) {
                m_r.cabecalhoAchado = true;
                m_colunas = {c->barras, c->plu, c->preco, c->obs};
                m_temPreco = c->preco >= 0;
                m_temObs = c->obs >= 0;
                return true;
            }
            return ++m_antesDoCabecalho < 30;
        }
        planeja(celulas);
        return true;
    }
    QList<int> colunas() const override { return m_colunas; }

    Importacao resultado() && { return std::move(m_r); }

private:
    void muda(int linha, int coluna, const QString& novo) {
        const QString& atual = m_dados.celula(linha, coluna).texto;
        const auto ja = m_planejadas.find({linha, coluna});
        if (ja != m_planejadas.end()) {
            m_r.alteracoes[*ja].depois = novo; // a later line wins over an earlier one
        } else if (atual != novo) {
            m_planejadas.insert({linha, coluna}, m_r.alteracoes.size());
            m_r.alteracoes.append({linha, coluna, atual, novo});
        }
    }

    void planeja(const QVariantList& linha) {
        const QString barras = texto(linha, 0), plu = texto(linha, 1);
        if (barras.isEmpty() && plu.isEmpty())
            return; // a blank line, or a total under the table
        QList<int> produtos = barras.isEmpty() ? QList<int>() : m_porBarras.values(barras);
        if (produtos.size() > 1 && !plu.isEmpty()) {
            // One barcode on several products: the PLU says which.
            QList<int> doPlu;
            for (const int p : produtos)
                if (m_dados.celula(p, kColunaPlu).texto.trimmed() == plu)
                    doPlu << p;
            if (!doPlu.isEmpty())
                produtos = doPlu;
        }
        if (produtos.isEmpty() && !plu.isEmpty())
            produtos = m_porPlu.values(plu);
        if (produtos.isEmpty()) {
            ++m_r.semProduto;
            return;
        }
        ++m_r.correspondidas;
        std::optional<QString> novoPreco;
        if (m_temPreco && !linha[2].toString().trimmed().isEmpty()) {
            novoPreco = preco(linha[2]);
            if (!novoPreco)
                ++m_r.recusados;
        }
        for (const int p : produtos) {
            if (novoPreco && std::abs(ValorDoTexto(m_dados.celula(p, kColunaPreco).texto) -
                                      ValorDoTexto(*novoPreco)) >= 0.005)
                muda(p, kColunaPreco, *novoPreco);
            if (m_temObs)
                muda(p, kColunaObs, formatos::SemControles(texto(linha, 3)));
        }
    }

    const DadosGrade& m_dados;
    Importacao m_r;
    QList<int> m_colunas; // empty until the heading is found
    bool m_temPreco = false, m_temObs = false;
    int m_antesDoCabecalho = 0;
    QMultiHash<QString, int> m_porBarras, m_porPlu;
    QHash<QPair<int, int>, qsizetype> m_planejadas;
};

} // namespace

Importacao ImportaPlanilha(const DadosGrade& dados, const QString& caminho) {
    Planejador planejador(dados);
    const QString recusa = PercorrePlanilha(caminho, planejador);
    if (!recusa.isEmpty()) {
        Importacao recusada; // nothing of a file read halfway is applied
        recusada.recusa = recusa;
        return recusada;
    }
    return std::move(planejador).resultado();
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
