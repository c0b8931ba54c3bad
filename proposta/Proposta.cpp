#include "proposta/Proposta.h"

#include "nucleo/Regional.h"
#include "proposta/Textos.h"

#include <QSet>

#include <algorithm>

using namespace nucleo;
using formatos::Centavos;
using formatos::Quantia;

namespace proposta {

namespace {
QString inteiro(qint64 n) {
    return ComMilhares(double(n), 0);
}

// The term in position `i` of CamposDosTermos.
template <class Termos> auto* termoNaPosicao(Termos& t, qsizetype i) {
    decltype(&t.obsGeral) termos[] = {&t.obsGeral, &t.prazoEntrega, &t.formaPgto, &t.pedidoMinimo,
                                      &t.valorFrete};
    return termos[i];
}
} // namespace

Proposta::Proposta(QObject* pai)
    : QObject(pai) {}

void Proposta::inicia(formatos::Cotacao cotacao) {
    m_cotacao = std::move(cotacao);
    m_linhas.clear();
    m_linhas.reserve(m_cotacao.produtos.size());
    m_porBarras.clear();
    m_porPlu.clear();
    m_centavos = 0;
    m_cotados = 0;
    m_recusados = 0;
    for (const formatos::Produto& p : std::as_const(m_cotacao.produtos)) {
        const int i = int(m_linhas.size());
        Linha l;
        l.identidade = Identidade::de(p.codigoBarras, p.plu);
        l.chave = l.identidade.chave();
        l.preco = formatos::kValorZero;
        l.valor = Quantia();
        const auto quantidade = formatos::Quantidade::le(p.quantidade);
        l.quantidade = quantidade.value_or(formatos::Quantidade());
        l.quantidadeRecusada = !quantidade;
        if (!l.identidade.barras.isEmpty())
            m_porBarras.insert(l.identidade.barras, i);
        if (!l.identidade.plu.isEmpty())
            m_porPlu.insert(l.identidade.plu, i);
        m_linhas.append(std::move(l));
    }
    m_termos = {};
    m_ultimos.clear();
    m_tabela.clear();
}

Proposta::Achados Proposta::localiza(const Identidade& linha) const {
    QList<int> candidatos = m_porBarras.values(linha.barras);
    candidatos += m_porPlu.values(linha.plu);
    std::sort(candidatos.begin(), candidatos.end());
    candidatos.erase(std::unique(candidatos.begin(), candidatos.end()), candidatos.end());
    // The products of the same identity; else those the barcode names; else the PLU.
    for (const Correspondencia como :
         {Correspondencia::Identica, Correspondencia::PorBarras, Correspondencia::PorPlu}) {
        Achados achados{{}, como};
        for (const int i : std::as_const(candidatos))
            if (Compara(linha, identidade(i)) == como)
                achados.produtos << i;
        if (achados.produtos.isEmpty())
            continue;
        // One code on products of two identities (a can and a box): neither is taken.
        for (const int i : std::as_const(achados.produtos))
            if (chave(i) != chave(achados.produtos.front()))
                return {{}, Correspondencia::Ambigua};
        return achados;
    }
    return {};
}

const QString& Proposta::texto(int i, Campo campo) const {
    return campo == Campo::Preco ? m_linhas[i].preco : m_linhas[i].observacao;
}

void Proposta::calcula(Linha& linha) {
    m_centavos -= linha.centavos;
    m_cotados -= linha.centavos > 0;
    m_recusados -= !linha.valor;
    linha.valor = Quantia::le(linha.preco);
    linha.centavos = formatos::Subtotal(linha.quantidade, linha.valor.value_or(Quantia()));
    m_centavos += linha.centavos;
    m_cotados += linha.centavos > 0;
    m_recusados += !linha.valor;
}

QList<Alteracao> Proposta::altera(const QList<Alteracao>& alteracoes) {
    QList<Alteracao> feitas;
    feitas.reserve(alteracoes.size());
    for (const Alteracao& a : alteracoes) {
        if (a.produto < 0 || a.produto >= produtos())
            continue;
        Linha& linha = m_linhas[a.produto];
        QString& atual = a.campo == Campo::Preco ? linha.preco : linha.observacao;
        if (atual == a.depois)
            continue;
        feitas.append({a.produto, a.campo, atual, a.depois});
        atual = a.depois;
        if (a.campo == Campo::Preco)
            calcula(linha);
    }
    if (!feitas.isEmpty())
        Q_EMIT alterada(feitas);
    return feitas;
}

const QStringList& Proposta::CamposDosTermos() {
    static const QStringList campos{QStringLiteral("MObservacoes"), QStringLiteral("MPrazoEntrega"),
                                    QStringLiteral("MFormaPgto"), QStringLiteral("MPedidoMinimo"),
                                    QStringLiteral("MValorFrete")};
    return campos;
}

bool Proposta::defineTermo(const QString& campo, const QString& texto) {
    const qsizetype i = CamposDosTermos().indexOf(campo);
    if (i < 0)
        return false;
    QString* termo = termoNaPosicao(m_termos, i);
    if (*termo != texto) {
        *termo = texto;
        Q_EMIT termoAlterado(campo, texto);
    }
    return true;
}

QString Proposta::termo(const QString& campo) const {
    const qsizetype i = CamposDosTermos().indexOf(campo);
    return i < 0 ? QString() : *termoNaPosicao(m_termos, i);
}

void Proposta::carregaResposta(const formatos::Resposta& resposta) {
    QList<Alteracao> valores;
    valores.reserve(2 * produtos());
    for (int i = 0; i < produtos() && i < resposta.precos.size(); ++i)
        valores.append({i, Campo::Preco, {}, resposta.precos[i]});
    for (int i = 0; i < produtos() && i < resposta.observacoes.size(); ++i)
        valores.append({i, Campo::Observacao, {}, resposta.observacoes[i]});
    altera(valores);
    for (qsizetype i = 0; i < CamposDosTermos().size(); ++i)
        defineTermo(CamposDosTermos()[i], *termoNaPosicao(resposta.termos, i));
}

formatos::Resposta Proposta::resposta() const {
    formatos::Resposta r;
    r.precos.reserve(produtos());
    r.observacoes.reserve(produtos());
    for (const Linha& l : m_linhas) {
        r.precos << l.preco;
        r.observacoes << l.observacao;
    }
    r.termos = m_termos;
    return r;
}

std::optional<Centavos> Proposta::faltaParaOMinimo() const {
    const auto minimo = Quantia::le(m_termos.pedidoMinimo);
    if (!minimo || minimo->zero())
        return std::nullopt;
    return std::max<Centavos>(minimo->centavos() - m_centavos, 0);
}

QString Proposta::resumo() const {
    QString t = textos::Resumo.arg(inteiro(m_cotados), inteiro(produtos()),
                                   formatos::MostraCentavos(m_centavos));
    if (const auto falta = faltaParaOMinimo())
        t += *falta == 0 ? textos::MinimoAtingido
                         : textos::AbaixoDoMinimo.arg(formatos::MostraCentavos(*falta));
    if (m_recusados > 0)
        t += textos::PrecosACorrigir.para(m_recusados).arg(inteiro(m_recusados));
    return t;
}

std::optional<qsizetype> Proposta::espacoNasObservacoes() const {
    return formatos::EspacoNasObservacoes(resposta());
}

QList<std::optional<Proposta::Conhecido>>
Proposta::distribui(const PrecosConhecidos& precos) const {
    QHash<QString, qsizetype> porChave; // a later price of one identity wins
    QMultiHash<QString, qsizetype> porBarras, porPlu;
    for (qsizetype l = 0; l < precos.size(); ++l) {
        const Identidade& id = precos[l].first;
        if (id.vazia())
            continue;
        porChave.insert(id.chave(), l);
        if (!id.barras.isEmpty())
            porBarras.insert(id.barras, l);
        if (!id.plu.isEmpty())
            porPlu.insert(id.plu, l);
    }
    QList<std::optional<Conhecido>> porProduto(produtos());
    for (int i = 0; i < produtos(); ++i) {
        const Identidade& id = identidade(i);
        if (const auto mesma = porChave.constFind(chave(i)); mesma != porChave.cend()) {
            porProduto[i] = Conhecido{precos[*mesma].second, Correspondencia::Identica};
            continue;
        }
        // A price named by one code, the barcode first: taken when one identity names this
        // product so, and that identity names no other product.
        for (const auto& [codigos, como] : {std::pair(&porBarras, Correspondencia::PorBarras),
                                            std::pair(&porPlu, Correspondencia::PorPlu)}) {
            QSet<QString> chaves;
            for (const qsizetype l :
                 codigos->values(como == Correspondencia::PorBarras ? id.barras : id.plu))
                if (Compara(precos[l].first, id) == como)
                    chaves.insert(precos[l].first.chave());
            if (chaves.isEmpty())
                continue;
            if (chaves.size() == 1) {
                const qsizetype l = porChave.value(*chaves.cbegin());
                const Achados seus = localiza(precos[l].first);
                if (seus.produtos.contains(i))
                    porProduto[i] = Conhecido{precos[l].second, seus.como};
            }
            break;
        }
    }
    return porProduto;
}

void Proposta::defineUltimosPrecos(const PrecosConhecidos& precos) {
    m_ultimos = distribui(precos);
}

int Proposta::comPrecoEm(const PrecosConhecidos& precos) const {
    const auto distribuidos = distribui(precos);
    return int(std::count_if(distribuidos.cbegin(), distribuidos.cend(),
                             [](const auto& c) { return c.has_value(); }));
}

void Proposta::defineTabela(const PrecosConhecidos& precos, const QDate& data) {
    m_tabela = distribui(precos);
    m_dataDaTabela = data;
}

const PrecoConhecido* Proposta::ultimoPreco(int i) const {
    if (i < 0 || i >= m_ultimos.size() || !m_ultimos[i])
        return nullptr;
    return &m_ultimos[i]->preco;
}

const PrecoConhecido* Proposta::precoDaTabela(int i) const {
    if (i < 0 || i >= m_tabela.size() || !m_tabela[i])
        return nullptr;
    return &m_tabela[i]->preco;
}

Correspondencia Proposta::achadoNaTabela(int i) const {
    if (i < 0 || i >= m_tabela.size() || !m_tabela[i])
        return Correspondencia::Nenhuma;
    return m_tabela[i]->como;
}

QStringList Proposta::precosConhecidos(int i, const QString& ultimo, const QString& tabela) const {
    QStringList precos;
    if (const PrecoConhecido* p = ultimoPreco(i))
        precos << ultimo.arg(p->preco.mostrada(), DateToText(p->data));
    if (const PrecoConhecido* p = precoDaTabela(i))
        precos << tabela.arg(p->preco.mostrada(), DateToText(p->data));
    return precos;
}

QList<Proposta::Salto> Proposta::saltos() const {
    QList<Salto> saltos;
    const auto longe = [](Quantia preco, const PrecoConhecido* referencia) {
        if (!referencia || referencia->preco.zero())
            return false;
        const qint64 p = preco.centavos(), r = referencia->preco.centavos();
        return p >= r * 10 || p * 10 <= r;
    };
    for (int i = 0; i < produtos(); ++i) {
        const Quantia preco = valor(i);
        if (preco.zero())
            continue;
        if (longe(preco, ultimoPreco(i)))
            saltos.append({i, ultimoPreco(i), false});
        else if (longe(preco, precoDaTabela(i)))
            saltos.append({i, precoDaTabela(i), true});
    }
    return saltos;
}

QList<Alteracao> Proposta::preenchimento(const PrecoConhecido* (Proposta::*conhecido)(int)
                                             const) const {
    QList<Alteracao> alteracoes;
    for (int i = 0; i < produtos(); ++i)
        if (valor(i).zero() && !precoRecusado(i))
            if (const PrecoConhecido* p = (this->*conhecido)(i))
                alteracoes.append({i, Campo::Preco, preco(i), p->preco.numero()});
    return alteracoes;
}

QList<Alteracao> Proposta::preenchimentoPelosUltimos() const {
    return preenchimento(&Proposta::ultimoPreco);
}

QList<Alteracao> Proposta::preenchimentoPelaTabela() const {
    return preenchimento(&Proposta::precoDaTabela);
}

QList<QPair<QString, QString>> Proposta::precosParaGuardar() const {
    QList<QPair<QString, QString>> precos;
    for (int i = 0; i < produtos(); ++i)
        if (!valor(i).zero())
            precos.append({chave(i), valor(i).numero()});
    return precos;
}

QList<int> Proposta::quantidadesRecusadas() const {
    QList<int> recusadas;
    for (int i = 0; i < produtos(); ++i)
        if (quantidadeRecusada(i))
            recusadas << i;
    return recusadas;
}

QString AvisoDeQuantidades(const Proposta& proposta) {
    const QList<int> recusadas = proposta.quantidadesRecusadas();
    if (recusadas.isEmpty())
        return {};
    QString lista;
    for (const int i : recusadas.mid(0, 10))
        lista += textos::LinhaQuantidade.arg(proposta.produto(i).descricao.trimmed(),
                                             proposta.produto(i).quantidade.left(40));
    return textos::QuantidadesIlegiveis.para(recusadas.size())
        .arg(inteiro(recusadas.size()), lista);
}

} // namespace proposta
