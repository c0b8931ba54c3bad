#include "cotacao/regras/Importacao.h"

#include "cotacao/regras/Busca.h"
#include "cotacao/regras/Textos.h"
#include "formatos/Quantia.h"
#include "formatos/Resposta.h"

#include <QHash>

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

std::optional<formatos::Quantia> PrecoDaPlanilha(const QVariant& celula) {
    if (celula.typeId() == QMetaType::Double)
        return formatos::Quantia::deNumero(celula.toDouble());
    const QString texto = celula.toString();
    if (texto.trimmed().isEmpty())
        return std::nullopt;
    return formatos::Quantia::le(texto);
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

QString ObservacaoImportada(const QVariant& celula, bool* cortada) {
    *cortada = false;
    if (celula.typeId() == QMetaType::Double)
        return CodigoDaPlanilha(celula);
    // Cut before anything else is done to it: a long shared text is the same for thousands of
    // lines, and is never copied whole.
    const QString texto = celula.toString();
    const QStringView obs = QStringView(texto).trimmed();
    *cortada = obs.size() > kMaximoDaObservacao;
    return formatos::SemControles(obs.left(kMaximoDaObservacao).toString());
}

bool LinhasSobCabecalho::linha(const QVariantList& celulas) {
    if (!m_colunas.isEmpty())
        return corpo(celulas);
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

    nucleo::Resultado<Importacao> resultado() && {
        if (m_demais)
            return nucleo::Falha{nucleo::Falha::Tipo::Recusada, textos::TextoDemaisNaImportacao};
        return std::move(m_r);
    }

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

    bool corpo(const QVariantList& linha) override {
        const Identidade codigos = Identidade::de(texto(linha, 0), texto(linha, 1));
        if (codigos.vazia())
            return true; // a blank line, or a total under the table
        const Proposta::Achados achados = m_proposta.localiza(codigos);
        switch (achados.como) {
        case Correspondencia::Nenhuma:
            ++m_r.semProduto;
            return true;
        case Correspondencia::Ambigua:
            ++m_r.ambiguas;
            return true;
        case Correspondencia::PorBarras:
            ++m_r.porBarras;
            break;
        case Correspondencia::PorPlu:
            ++m_r.porPlu;
            break;
        case Correspondencia::Identica:
            break;
        }
        ++m_r.correspondidas;
        std::optional<formatos::Quantia> novoPreco;
        if (m_temPreco && !linha[2].toString().trimmed().isEmpty()) {
            novoPreco = PrecoDaPlanilha(linha[2]);
            if (!novoPreco)
                ++m_r.recusados;
        }
        QString obs;
        if (m_temObs) {
            bool cortada = false;
            obs = ObservacaoImportada(linha[3], &cortada);
            m_r.cortadas += cortada;
            m_texto += obs.size();
            if (m_texto > kMaximoDoTextoImportado) {
                m_demais = true;
                return false;
            }
        }
        for (const int p : achados.produtos) {
            // A price equal to the one there changes nothing; one to correct is replaced.
            if (novoPreco && (m_proposta.precoRecusado(p) || m_proposta.valor(p) != *novoPreco))
                muda(p, Campo::Preco, novoPreco->numero());
            if (m_temObs)
                muda(p, Campo::Observacao, obs);
        }
        return true;
    }

    const Proposta& m_proposta;
    Importacao m_r;
    bool m_temPreco = false, m_temObs = false;
    qsizetype m_texto = 0; // the remarks' characters read so far
    bool m_demais = false; // past kMaximoDoTextoImportado: the file is refused
    QHash<QPair<int, int>, qsizetype> m_planejadas;
};

} // namespace

nucleo::Resultado<Importacao> ImportaPlanilha(const Proposta& proposta, const QString& caminho) {
    Planejador planejador(proposta);
    // Nothing of a file read halfway is applied.
    if (auto lida = PercorrePlanilha(caminho, planejador); !lida)
        return lida.falha();
    return std::move(planejador).resultado();
}

Tabela TabelaDaProposta(const Proposta& proposta, const QVariantList& cabecalho) {
    Tabela t;
    t.reserve(proposta.produtos() + 1);
    t << cabecalho;
    for (int i = 0; i < proposta.produtos(); ++i) {
        const formatos::Produto& p = proposta.produto(i);
        const QVariant preco = proposta.precoRecusado(i)  ? QVariant(proposta.preco(i))
                               : proposta.valor(i).zero() ? QVariant(QString())
                                                          : QVariant(proposta.valor(i).reais());
        t << QVariantList{p.plu,
                          p.codigoBarras,
                          p.descricao,
                          proposta.quantidadeRecusada(i) ? QVariant(p.quantidade)
                                                         : QVariant(proposta.quantidade(i).valor()),
                          p.unidade,
                          preco,
                          proposta.observacao(i)};
    }
    return t;
}

} // namespace cotacao
