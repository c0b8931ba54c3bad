#include "formatos/Resposta.h"

#include "formatos/Arquivos.h"
#include "formatos/Lista.h"
#include "formatos/Quantia.h"
#include "nucleo/Ini.h"
#include "nucleo/Regional.h"

#include <algorithm>
#include <numeric>

using namespace nucleo;

namespace formatos {

namespace R = Arquivos::Resposta;
using Arquivos::Secao;

QString SemControles(QString texto) {
    // Looked for before anything is written: most texts have none, and stay shared.
    const auto controle = [](QChar c) { return c.unicode() < 0x20; };
    if (std::none_of(texto.cbegin(), texto.cend(), controle))
        return texto;
    std::replace_if(texto.begin(), texto.end(), controle, QChar(u' '));
    return texto;
}

Resposta LeResposta(const nucleo::ArquivoIni& arquivo) {
    Resposta r;
    r.termos.obsGeral = arquivo.valor(Secao, R::ObsGeral, QString());
    r.termos.prazoEntrega = arquivo.valor(Secao, R::PrazoEntrega, QString());
    r.termos.formaPgto = arquivo.valor(Secao, R::FormaPgto, QString());
    r.termos.pedidoMinimo = arquivo.valor(Secao, R::PedidoMinimo, kValorZero);
    r.termos.valorFrete = arquivo.valor(Secao, R::ValorFrete, kValorZero);
    const auto itens = [&](const QString& chave) {
        const QString lista = arquivo.valor(Secao, chave, QString());
        return lista.trimmed().isEmpty() ? QStringList() : LeItens(lista);
    };
    r.precos = itens(R::ListaPrecosForn);
    r.observacoes = itens(R::ListaObsProdutos);
    return r;
}

Termos TermosDoFormulario(const Termos& daResposta, const nucleo::ArquivoIni& config) {
    const auto texto = [&](const QString& valor, const QString& chave) {
        return valor.trimmed().isEmpty() ? config.valor(Secao, chave, QString()) : valor;
    };
    // An amount of the answer that is zero, or not an amount, gives way to Config.ini's; the
    // field shows it as it would once left.
    const auto quantia = [&](const QString& valor, const QString& chave) {
        const auto daResposta = Quantia::le(valor);
        const QString v =
            daResposta && !daResposta->zero() ? valor : config.valor(Secao, chave, QString());
        const auto lida = Quantia::le(v);
        return lida ? lida->numero() : v;
    };
    Termos t;
    t.obsGeral = daResposta.obsGeral;
    t.prazoEntrega = texto(daResposta.prazoEntrega, R::PrazoEntrega);
    t.formaPgto = texto(daResposta.formaPgto, R::FormaPgto);
    t.pedidoMinimo = quantia(daResposta.pedidoMinimo, R::PedidoMinimo);
    t.valorFrete = quantia(daResposta.valorFrete, R::ValorFrete);
    return t;
}

QStringList ItensDePrecos(const Resposta& resposta) {
    QStringList precos;
    precos.reserve(resposta.precos.size());
    // A price the amount rule refuses is sent as zero: not priced, never another number.
    for (const QString& preco : resposta.precos)
        precos << Quantia::le(preco).value_or(Quantia()).numero();
    return precos;
}

QStringList ItensDeObservacoes(const Resposta& resposta) {
    QStringList observacoes;
    observacoes.reserve(resposta.precos.size());
    for (qsizetype i = 0; i < resposta.precos.size(); ++i)
        observacoes << SemControles(resposta.observacoes.value(i)).trimmed();
    return observacoes;
}

namespace {

// The five terms' keys and values as the file gets them, in the file's order.
QList<QPair<QString, QString>> valoresDosTermos(const Termos& t) {
    return {{R::ObsGeral, SemControles(t.obsGeral).trimmed()},
            {R::PrazoEntrega, SemControles(t.prazoEntrega).trimmed()},
            {R::FormaPgto, SemControles(t.formaPgto).trimmed()},
            {R::PedidoMinimo, SemControles(t.pedidoMinimo).trimmed()},
            {R::ValorFrete, SemControles(t.valorFrete).trimmed()}};
}

} // namespace

void EscreveResposta(nucleo::ArquivoIni& arquivo, const Resposta& resposta) {
    if (!resposta.precos.isEmpty()) {
        arquivo.define(Secao, R::ListaPrecosForn, EscreveLista(ItensDePrecos(resposta)));
        arquivo.define(Secao, R::ListaObsProdutos, EscreveLista(ItensDeObservacoes(resposta)));
    }
    for (const auto& [chave, valor] : valoresDosTermos(resposta.termos))
        arquivo.define(Secao, chave, valor);
}

MedidaDaResposta MedeResposta(const Resposta& resposta) {
    MedidaDaResposta m;
    const auto mede = [&](const QString& chave, qsizetype tamanho) {
        if (tamanho > nucleo::kLimiteValorIni)
            m.excessos.append({chave, tamanho - nucleo::kLimiteValorIni});
    };
    if (!resposta.precos.isEmpty()) {
        const QStringList observacoes = ItensDeObservacoes(resposta);
        m.observacoes = TamanhoDaLista(observacoes);
        mede(R::ListaPrecosForn, TamanhoDaLista(ItensDePrecos(resposta)));
        mede(R::ListaObsProdutos, m.observacoes);
        QList<int> ordem(observacoes.size());
        std::iota(ordem.begin(), ordem.end(), 0);
        const auto n = std::min<qsizetype>(5, ordem.size());
        std::partial_sort(ordem.begin(), ordem.begin() + n, ordem.end(), [&](int a, int b) {
            const qsizetype ta = observacoes[a].size(), tb = observacoes[b].size();
            return ta != tb ? ta > tb : a < b;
        });
        for (qsizetype i = 0; i < n && !observacoes[ordem[i]].isEmpty(); ++i)
            m.maisLongas << ordem[i];
    }
    for (const auto& [chave, valor] : valoresDosTermos(resposta.termos))
        mede(chave, valor.size());
    return m;
}

namespace {

// The room left once 90 % of the limit is used.
std::optional<qsizetype> espacoRestante(qsizetype usados) {
    if (usados * 10 < nucleo::kLimiteValorIni * 9)
        return std::nullopt;
    return nucleo::kLimiteValorIni - usados;
}

} // namespace

std::optional<qsizetype> MedidaDaResposta::espacoNasObservacoes() const {
    return espacoRestante(observacoes);
}

std::optional<qsizetype> EspacoNasObservacoes(const Resposta& resposta) {
    return espacoRestante(resposta.precos.isEmpty() ? 0
                                                    : TamanhoDaLista(ItensDeObservacoes(resposta)));
}

void EscreveTermosNaConfig(nucleo::ArquivoIni& config, const Termos& termos) {
    config.define(Secao, R::FormaPgto, termos.formaPgto);
    config.define(Secao, R::PrazoEntrega, termos.prazoEntrega);
    config.define(Secao, R::PedidoMinimo, termos.pedidoMinimo);
    config.define(Secao, R::ValorFrete, termos.valorFrete);
}

} // namespace formatos
