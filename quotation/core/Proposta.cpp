#include "quotation/core/Proposta.h"

#include "quotation/formats/Numeros.h"
#include "runtime/core/Regional.h"

#include <cmath>

using namespace nucleo;

namespace cotacao {

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
    for (const formatos::Produto& p : std::as_const(m_cotacao.produtos)) {
        Linha l;
        l.chave = Chave(p.plu, p.codigoBarras);
        l.preco = formatos::kValorZero;
        l.quantidade = ValorDoTexto(p.quantidade);
        const int i = int(m_linhas.size());
        m_porBarras.insert(p.codigoBarras.trimmed(), i);
        m_porPlu.insert(p.plu.trimmed(), i);
        m_linhas.append(std::move(l));
    }
    m_termos = {};
    m_tabela.clear();
}

QString Proposta::Chave(const QString& plu, const QString& codigoBarras) {
    const QString barras = codigoBarras.trimmed();
    return barras.isEmpty() ? QStringLiteral("PLU:") + plu.trimmed() : barras;
}

QList<int> Proposta::localiza(const QString& barras, const QString& plu) const {
    QList<int> achados = barras.isEmpty() ? QList<int>() : m_porBarras.values(barras);
    if (achados.size() > 1 && !plu.isEmpty()) {
        // One barcode on several products: the PLU says which.
        QList<int> doPlu;
        for (const int i : std::as_const(achados))
            if (produto(i).plu.trimmed() == plu)
                doPlu << i;
        if (!doPlu.isEmpty())
            achados = doPlu;
    }
    if (achados.isEmpty() && !plu.isEmpty())
        achados = m_porPlu.values(plu);
    std::sort(achados.begin(), achados.end());
    return achados;
}

const QString& Proposta::texto(int i, Campo campo) const {
    return campo == Campo::Preco ? m_linhas[i].preco : m_linhas[i].observacao;
}

void Proposta::calcula(Linha& linha) {
    m_centavos -= linha.centavos;
    m_cotados -= linha.centavos > 0;
    linha.valor = ValorDoTexto(linha.preco);
    linha.centavos = std::llround(linha.quantidade * linha.valor * 100.0);
    m_centavos += linha.centavos;
    m_cotados += linha.centavos > 0;
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

std::optional<double> Proposta::faltaParaOMinimo() const {
    const double minimo = ValorDoTexto(m_termos.pedidoMinimo);
    if (minimo <= 0)
        return std::nullopt;
    return total() >= minimo ? 0.0 : minimo - total();
}

QString Proposta::resumo() const {
    QString t = QStringLiteral("Cotados: %1 de %2  |  Total: %3")
                    .arg(inteiro(m_cotados), inteiro(produtos()), ComMilhares(total(), 2));
    if (const auto falta = faltaParaOMinimo())
        t += *falta == 0 ? QStringLiteral("  |  Pedido mínimo atingido")
                         : QStringLiteral("  |  Abaixo do pedido mínimo (faltam %1)")
                               .arg(ComMilhares(*falta, 2));
    return t;
}

std::optional<qsizetype> Proposta::espacoNasObservacoes() const {
    return formatos::EspacoNasObservacoes(resposta());
}

void Proposta::defineUltimosPrecos(QHash<QString, PrecoConhecido> precos) {
    m_ultimos = std::move(precos);
}

void Proposta::defineTabela(QList<PrecoConhecido> porProduto) {
    m_tabela = std::move(porProduto);
}

const PrecoConhecido* Proposta::ultimoPreco(int i) const {
    if (i < 0 || i >= produtos())
        return nullptr;
    const auto p = m_ultimos.constFind(m_linhas[i].chave);
    return p == m_ultimos.cend() ? nullptr : &*p;
}

const PrecoConhecido* Proposta::precoDaTabela(int i) const {
    if (i < 0 || i >= m_tabela.size() || m_tabela[i].preco.isEmpty())
        return nullptr;
    return &m_tabela[i];
}

QList<Proposta::Salto> Proposta::saltos() const {
    QList<Salto> saltos;
    const auto longe = [](double preco, const PrecoConhecido* referencia) {
        if (!referencia)
            return false;
        const double anterior = ValorDoTexto(referencia->preco);
        return anterior > 0 && (preco >= anterior * 10 || preco * 10 <= anterior);
    };
    for (int i = 0; i < produtos(); ++i) {
        const double preco = valor(i);
        if (preco <= 0)
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
        if (valor(i) == 0)
            if (const PrecoConhecido* p = (this->*conhecido)(i))
                alteracoes.append({i, Campo::Preco, preco(i), p->preco});
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
        if (valor(i) > 0)
            precos.append({chave(i), formatos::TextoNumero(preco(i))});
    return precos;
}

} // namespace cotacao
