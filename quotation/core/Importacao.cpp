#include "quotation/core/Importacao.h"

#include "quotation/core/Busca.h"
#include "quotation/formats/Numeros.h"
#include "quotation/formats/Resposta.h"
#include "runtime/core/Regional.h"

#include <QHash>

#include <cmath>

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
    return CodigoDaPlanilha(linha[coluna]);
}

} // namespace

QString CodigoDaPlanilha(const QVariant& celula) {
    // A code typed as a number in a spreadsheet (a barcode, a PLU) reads as its digits.
    if (celula.typeId() == QMetaType::Double)
        return QString::number(celula.toDouble(), 'f', 0);
    return celula.toString().trimmed();
}

std::optional<QString> PrecoDaPlanilha(const QVariant& celula) {
    if (celula.typeId() == QMetaType::Double) {
        const double v = celula.toDouble();
        const double centavos = std::round(v * 100);
        if (!std::isfinite(v) || v < 0 || std::abs(v * 100 - centavos) > 1e-6 || v >= 1e9)
            return std::nullopt;
        return Str(centavos / 100, 0, 2).trimmed();
    }
    const QString t = TextoDeValor(celula.toString().trimmed());
    return formatos::ValorAceito(t) ? std::optional<QString>(t) : std::nullopt;
}

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

bool LinhasSobCabecalho::linha(const QVariantList& celulas) {
    if (!m_colunas.isEmpty()) {
        corpo(celulas);
        return true;
    }
    if (const auto c = ColunasDoCabecalho(celulas); c && aceita(*c)) {
        m_colunas = {c->barras, c->plu, c->preco, c->obs};
        return true;
    }
    return ++m_antesDoCabecalho < 30;
}

namespace {

// Plans the import as the rows arrive, one line after the other.
class Planejador : public LinhasSobCabecalho {
public:
    explicit Planejador(const Proposta& proposta)
        : m_proposta(proposta) {}

    Importacao resultado() && { return std::move(m_r); }

private:
    void muda(int produto, Campo campo, const QString& novo) {
        const QString& atual = m_proposta.texto(produto, campo);
        const auto ja = m_planejadas.find({produto, int(campo)});
        if (ja != m_planejadas.end()) {
            m_r.alteracoes[*ja].depois = novo; // a later line wins over an earlier one
        } else if (atual != novo) {
            m_planejadas.insert({produto, int(campo)}, m_r.alteracoes.size());
            m_r.alteracoes.append({produto, campo, atual, novo});
        }
    }

    bool aceita(const ColunasDaPlanilha& c) override {
        m_r.cabecalhoAchado = true;
        m_temPreco = c.preco >= 0;
        m_temObs = c.obs >= 0;
        return true;
    }

    void corpo(const QVariantList& linha) override {
        const QString barras = texto(linha, 0), plu = texto(linha, 1);
        if (barras.isEmpty() && plu.isEmpty())
            return; // a blank line, or a total under the table
        const QList<int> produtos = m_proposta.localiza(barras, plu);
        if (produtos.isEmpty()) {
            ++m_r.semProduto;
            return;
        }
        ++m_r.correspondidas;
        std::optional<QString> novoPreco;
        if (m_temPreco && !linha[2].toString().trimmed().isEmpty()) {
            novoPreco = PrecoDaPlanilha(linha[2]);
            if (!novoPreco)
                ++m_r.recusados;
        }
        for (const int p : produtos) {
            if (novoPreco && std::abs(m_proposta.valor(p) - ValorDoTexto(*novoPreco)) >= 0.005)
                muda(p, Campo::Preco, *novoPreco);
            if (m_temObs)
                muda(p, Campo::Observacao, formatos::SemControles(texto(linha, 3)));
        }
    }

    const Proposta& m_proposta;
    Importacao m_r;
    bool m_temPreco = false, m_temObs = false;
    QHash<QPair<int, int>, qsizetype> m_planejadas;
};

} // namespace

Importacao ImportaPlanilha(const Proposta& proposta, const QString& caminho) {
    Planejador planejador(proposta);
    const QString recusa = PercorrePlanilha(caminho, planejador);
    if (!recusa.isEmpty()) {
        Importacao recusada; // nothing of a file read halfway is applied
        recusada.recusa = recusa;
        return recusada;
    }
    return std::move(planejador).resultado();
}

Tabela TabelaDaProposta(const Proposta& proposta, const QVariantList& cabecalho) {
    Tabela t;
    t.reserve(proposta.produtos() + 1);
    t << cabecalho;
    for (int i = 0; i < proposta.produtos(); ++i) {
        const formatos::Produto& p = proposta.produto(i);
        const double preco = proposta.valor(i);
        t << QVariantList{p.plu,
                          p.codigoBarras,
                          p.descricao,
                          ValorDoTexto(p.quantidade),
                          p.unidade,
                          preco > 0 ? QVariant(preco) : QVariant(QString()),
                          proposta.observacao(i)};
    }
    return t;
}

} // namespace cotacao
