#include "proposta/Importacao.h"

#include "formatos/Quantia.h"
#include "formatos/Resposta.h"
#include "nucleo/Regional.h"
#include "proposta/Busca.h"
#include "proposta/Textos.h"

using nucleo::ComMilhares;

#include <QHash>

#include <algorithm>
#include <climits>

namespace proposta {
namespace {

enum class Papel { Barras, Plu, Preco, Obs };

struct Titulo {
    Papel papel;
    int ordem; // the lower, the more specific
};

// The titles of a heading as their keys: letters and digits, accents and case aside.
const QHash<QString, Titulo>& titulos() {
    static const QHash<QString, Titulo> t = [] {
        QHash<QString, Titulo> h;
        const auto poe = [&h](Papel papel, std::initializer_list<const char16_t*> chaves) {
            int ordem = 0;
            for (const char16_t* chave : chaves)
                h.insert(QString::fromUtf16(chave), {papel, ordem++});
        };
        poe(Papel::Barras,
            {u"coddebarras", u"codigodebarras", u"codbarras", u"codigobarras", u"barras", u"ean",
             u"ean13", u"codigoean", u"codean", u"gtin", u"gtin13", u"gtin14", u"codigogtin"});
        poe(Papel::Plu, {u"plu", u"codigoplu", u"codplu", u"codigointerno", u"codinterno",
                         u"codigodoproduto", u"codproduto", u"codigo", u"cod"});
        poe(Papel::Preco, {u"preco", u"precounitario", u"precounit", u"precodevenda", u"precovenda",
                           u"precos", u"vlrunit", u"vlrunitario", u"valorunitario", u"valorunit",
                           u"valordevenda", u"valor", u"vlr"});
        poe(Papel::Obs, {u"observacoesdoproduto", u"observacaodoproduto", u"observacoes",
                         u"observacao", u"obs"});
        return h;
    }();
    return t;
}

// The title a cell holds, if it holds one. Only a short text can: a longer one is passed over
// before anything is made of it.
std::optional<Titulo> tituloDa(const QVariant& celula) {
    if (celula.typeId() != QMetaType::QString)
        return std::nullopt;
    const QString& texto = *static_cast<const QString*>(celula.constData());
    if (texto.size() > 4 * kMaximoDoTitulo)
        return std::nullopt;
    const QStringView titulo = QStringView(texto).trimmed();
    if (titulo.isEmpty() || titulo.size() > kMaximoDoTitulo)
        return std::nullopt;
    QString chave;
    for (const QChar c : ChaveDeBusca(titulo.toString().remove(QStringLiteral("R$"))))
        if (c.isLetterOrNumber())
            chave += c;
    const auto achado = titulos().constFind(chave);
    if (achado == titulos().cend())
        return std::nullopt;
    return *achado;
}

QString texto(const QVariantList& linha, int coluna) {
    if (coluna < 0 || coluna >= linha.size())
        return {};
    return CodigoDaPlanilha(linha[coluna]);
}

bool soDigitos(QStringView t) {
    return !t.isEmpty() &&
           std::all_of(t.begin(), t.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
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
    int* coluna[] = {&c.barras, &c.plu, &c.preco, &c.obs};
    int ordem[] = {INT_MAX, INT_MAX, INT_MAX, INT_MAX};
    const qsizetype celulas = std::min<qsizetype>(linha.size(), kCelulasDoCabecalho);
    for (qsizetype i = 0; i < celulas; ++i) {
        const std::optional<Titulo> titulo = tituloDa(linha[i]);
        if (!titulo)
            continue;
        const int papel = int(titulo->papel);
        if (titulo->ordem < ordem[papel]) {
            ordem[papel] = titulo->ordem;
            *coluna[papel] = int(i);
        }
    }
    if ((c.preco >= 0 || c.obs >= 0) && (c.barras >= 0 || c.plu >= 0))
        return c;
    return std::nullopt;
}

QString BarrasDaPlanilha(const QVariant& celula, bool* ilegivel) {
    const QString codigo = CodigoDaPlanilha(celula);
    *ilegivel = !codigo.isEmpty() && !soDigitos(codigo);
    return *ilegivel ? QString() : codigo;
}

Identidade CodigosDaLinha(const QVariantList& linha, int* ilegiveis) {
    bool ilegivel = false;
    const QString barras = BarrasDaPlanilha(linha.value(0), &ilegivel);
    *ilegiveis += ilegivel;
    return Identidade::de(barras, CodigoDaPlanilha(linha.value(1)));
}

void AnotaRecusa(QList<PrecoRecusado>& recusas, const Identidade& codigos, const QVariant& celula) {
    if (recusas.size() < kRecusasNomeadas)
        recusas.append({codigos.chave(), celula.toString().left(kMaximoDoTitulo)});
}

namespace {
QString descreveRecusas(const QList<PrecoRecusado>& recusas, int total) {
    using namespace textos;
    if (total == 0)
        return {};
    QString lista;
    for (const PrecoRecusado& r : recusas)
        lista += LinhaPrecoRecusado.arg(r.codigos, r.texto);
    if (total > recusas.size())
        lista += MaisRecusados.arg(ComMilhares(total - int(recusas.size()), 0));
    lista.chop(1); // the last line's break
    return PrecosQueNaoSaoValores.arg(RegraDaQuantia, lista);
}

QString descreveBarrasIlegiveis(int ilegiveis) {
    if (ilegiveis == 0)
        return {};
    return textos::BarrasIlegiveis.arg(ComMilhares(ilegiveis, 0));
}
} // namespace

QString DescreveOQueFicou(int barrasIlegiveis, int cortadas, const QList<PrecoRecusado>& recusas,
                          int recusados) {
    return descreveBarrasIlegiveis(barrasIlegiveis) +
           (cortadas ? textos::ObservacoesCortadas.arg(ComMilhares(cortadas, 0),
                                                       ComMilhares(double(kMaximoDaObservacao), 0))
                     : QString()) +
           descreveRecusas(recusas, recusados);
}

QString ResumeImportacao(const Importacao& i) {
    using namespace textos;
    return ResumoImportacao.arg(ComMilhares(i.correspondidas, 0), ComMilhares(i.porBarras, 0),
                                ComMilhares(i.porPlu, 0), ComMilhares(i.semProduto, 0),
                                ComMilhares(i.ambiguas, 0), ComMilhares(i.recusados, 0),
                                ComMilhares(i.precosMudam, 0), ComMilhares(i.observacoesMudam, 0),
                                ComMilhares(i.emBranco, 0)) +
           DescreveOQueFicou(i.barrasIlegiveis, i.cortadas, i.recusas, i.recusados);
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
    return ++m_antesDoCabecalho < kLinhasAntesDoCabecalho;
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
            ++(campo == Campo::Preco ? m_r.precosMudam : m_r.observacoesMudam);
        }
    }

    bool aceita(const ColunasDaPlanilha& c) override {
        m_r.cabecalhoAchado = true;
        m_temPreco = c.preco >= 0;
        m_temObs = c.obs >= 0;
        return true;
    }

    bool corpo(const QVariantList& linha) override {
        const Identidade codigos = CodigosDaLinha(linha, &m_r.barrasIlegiveis);
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
        if (m_temPreco && texto(linha, 2).isEmpty()) {
            ++m_r.emBranco;
        } else if (m_temPreco) {
            novoPreco = PrecoDaPlanilha(linha[2]);
            if (!novoPreco) {
                ++m_r.recusados;
                AnotaRecusa(m_r.recusas, codigos, linha[2]);
            }
        }
        QString obs;
        if (m_temObs && texto(linha, 3).isEmpty()) {
            ++m_r.emBranco; // a blank remark keeps the one typed
        } else if (m_temObs) {
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
            if (!obs.isEmpty())
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

} // namespace proposta
