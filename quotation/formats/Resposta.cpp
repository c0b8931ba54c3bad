#include "quotation/formats/Resposta.h"

#include "quotation/formats/Arquivos.h"
#include "quotation/formats/Lista.h"
#include "quotation/formats/Numeros.h"
#include "remote/Ini.h"
#include "runtime/core/Regional.h"

using namespace nucleo;

namespace formatos {

namespace R = Arquivos::Resposta;
using Arquivos::Secao;

QString SemControles(QString texto) {
    for (QChar& c : texto)
        if (c.unicode() < 0x20)
            c = u' ';
    return texto;
}

Resposta LeResposta(const remoto::ArquivoIni& arquivo) {
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

Termos TermosDoFormulario(const Termos& daResposta, const remoto::ArquivoIni& config) {
    const auto texto = [&](const QString& valor, const QString& chave) {
        return valor.trimmed().isEmpty() ? config.valor(Secao, chave, QString()) : valor;
    };
    // Amounts are read in either decimal convention, so "150,75" stays 150,75.
    const auto quantia = [&](const QString& valor, const QString& chave) {
        const QString v = ValorDoTexto(valor) == 0 ? config.valor(Secao, chave, QString()) : valor;
        return TextoNumero(v);
    };
    Termos t;
    t.obsGeral = daResposta.obsGeral;
    t.prazoEntrega = texto(daResposta.prazoEntrega, R::PrazoEntrega);
    t.formaPgto = texto(daResposta.formaPgto, R::FormaPgto);
    t.pedidoMinimo = quantia(daResposta.pedidoMinimo, R::PedidoMinimo);
    t.valorFrete = quantia(daResposta.valorFrete, R::ValorFrete);
    return t;
}

void EscreveResposta(remoto::ArquivoIni& arquivo, const Resposta& resposta) {
    if (!resposta.precos.isEmpty()) {
        QStringList precos, observacoes;
        precos.reserve(resposta.precos.size());
        observacoes.reserve(resposta.precos.size());
        for (qsizetype i = 0; i < resposta.precos.size(); ++i) {
            precos << TextoNumero(resposta.precos[i]);
            observacoes << SemControles(resposta.observacoes.value(i)).trimmed();
        }
        arquivo.define(Secao, R::ListaPrecosForn, EscreveLista(precos));
        arquivo.define(Secao, R::ListaObsProdutos, EscreveLista(observacoes));
    }
    const Termos& t = resposta.termos;
    arquivo.define(Secao, R::ObsGeral, SemControles(t.obsGeral).trimmed());
    arquivo.define(Secao, R::PrazoEntrega, SemControles(t.prazoEntrega).trimmed());
    arquivo.define(Secao, R::FormaPgto, SemControles(t.formaPgto).trimmed());
    arquivo.define(Secao, R::PedidoMinimo, SemControles(t.pedidoMinimo).trimmed());
    arquivo.define(Secao, R::ValorFrete, SemControles(t.valorFrete).trimmed());
}

void EscreveTermosNaConfig(remoto::ArquivoIni& config, const Termos& termos) {
    config.define(Secao, R::FormaPgto, termos.formaPgto);
    config.define(Secao, R::PrazoEntrega, termos.prazoEntrega);
    config.define(Secao, R::PedidoMinimo, termos.pedidoMinimo);
    config.define(Secao, R::ValorFrete, termos.valorFrete);
}

} // namespace formatos
