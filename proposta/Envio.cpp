#include "proposta/Envio.h"

#include "banco/PrecosEnviados.h"
#include "banco/Rascunhos.h"
#include "formatos/Arquivos.h"
#include "nucleo/Erro.h"
#include "nucleo/Ini.h"
#include "nucleo/Regional.h"
#include "proposta/Proposta.h"
#include "proposta/Rascunho.h"
#include "proposta/Textos.h"
#include "remoto/Espera.h"

#include <QFileInfo>

#include <limits>
#include <optional>

namespace proposta {

nucleo::Resultado<QByteArray> GravaResposta(const formatos::Resposta& resposta,
                                            const QString& caminho) {
    QByteArray bytes;
    const auto gravada = nucleo::ArquivoIni::edita(caminho, [&](nucleo::ArquivoIni& arquivo) {
        formatos::EscreveResposta(arquivo, resposta);
        bytes = arquivo.bytes();
    });
    if (!gravada)
        return gravada.falha();
    return bytes;
}

banco::Recibo ReciboDoEnvio(const QString& cotacao, const QString& cnpj, const QString& arquivo,
                            const QByteArray& bytes) {
    return {QDateTime::currentDateTime(), cotacao, cnpj, arquivo, bytes.size(),
            banco::Recibo::Resumo(bytes)};
}

nucleo::Resultado<void> RegistraEnvio(banco::BancoLocal& banco, const banco::Recibo& recibo,
                                      const QList<QPair<QString, QString>>& precos) {
    return banco.transacao([&]() -> nucleo::Resultado<void> {
        if (auto feito = banco::Recibos(banco).registra(recibo); !feito)
            return feito;
        if (auto feito = banco::Rascunhos(banco).descarta(recibo.cotacao, recibo.cnpj); !feito)
            return feito;
        return banco::PrecosEnviados(banco).registra(recibo.cotacao, recibo.quando, precos);
    });
}

nucleo::Resultado<PrecosConhecidos> UltimosPrecosEnviados(banco::BancoLocal& banco,
                                                          const QString& exceto) {
    if (auto aberto = banco.abre(); !aberto)
        return aberto.falha();
    const auto enviados = banco::PrecosEnviados(banco).ultimos(exceto);
    if (!enviados)
        return enviados.falha();
    PrecosConhecidos precos;
    for (auto p = enviados->cbegin(); p != enviados->cend(); ++p)
        if (const auto preco = formatos::Quantia::le(p->preco))
            precos.append({Identidade::daChave(p.key()), {*preco, p->quando.date()}});
    return precos;
}

nucleo::Resultado<void> GuardaTermos(const formatos::Termos& termos, const QString& config) {
    return nucleo::ArquivoIni::edita(config, [&](nucleo::ArquivoIni& arquivo) {
        formatos::EscreveTermosNaConfig(arquivo, termos);
    });
}

namespace {

using namespace textos;
using nucleo::ComMilhares;

// An answer the buyer's reader would cut is refused, naming what to shorten.
bool cabeNoLeitor(const Proposta& proposta, const formatos::Resposta& resposta,
                  Interlocutor& interlocutor) {
    const formatos::MedidaDaResposta medida = formatos::MedeResposta(resposta);
    if (medida.cabe())
        return true;
    const formatos::MedidaDaResposta::Excesso& excesso = medida.excessos.front();
    if (excesso.chave != formatos::Arquivos::Resposta::ListaObsProdutos) {
        interlocutor.avisa(ValorLongoDemais.para(excesso.alem)
                               .arg(excesso.chave, ComMilhares(double(excesso.alem), 0)));
        return false;
    }
    QString lista;
    for (const int produto : medida.maisLongas) {
        const qsizetype tamanho = proposta.observacao(produto).trimmed().size();
        lista += LinhaObservacaoLonga.para(tamanho).arg(
            proposta.produto(produto).descricao.trimmed(), ComMilhares(double(tamanho), 0));
    }
    interlocutor.avisa(ObservacoesLongasDemais.para(excesso.alem)
                           .arg(ComMilhares(double(excesso.alem), 0), lista));
    return false;
}

// Prices ten times off the last one sent or the table's ask first; up to ten are named.
bool passaPelaSegundaOlhada(const Proposta& proposta, Interlocutor& interlocutor) {
    const QList<Proposta::Salto> saltos = proposta.saltos();
    if (saltos.isEmpty())
        return true;
    QString lista;
    bool tabela = false;
    for (const Proposta::Salto& s : saltos.mid(0, 10)) {
        // Both prices known, each with its date, whichever of them this one is far from.
        const QStringList referencias =
            proposta.precosConhecidos(s.produto, ReferenciaUltimo, ReferenciaTabela);
        lista += LinhaSegundaOlhada.arg(proposta.produto(s.produto).descricao.trimmed(),
                                        proposta.valor(s.produto).mostrada(),
                                        referencias.join(SeparaReferencias));
        tabela = tabela || s.daTabela;
    }
    return interlocutor.pergunta((tabela ? SegundaOlhadaComTabela : SegundaOlhada).arg(lista),
                                 false);
}

// Prices that are not amounts go as zero only when the supplier says so; up to ten are named.
bool aceitaPrecosRecusados(const Proposta& proposta, Interlocutor& interlocutor) {
    if (proposta.precosRecusados() == 0)
        return true;
    QString lista;
    for (int i = 0, nomeados = 0; i < proposta.produtos() && nomeados < 10; ++i)
        if (proposta.precoRecusado(i)) {
            lista += LinhaPrecoRecusado.arg(proposta.produto(i).descricao.trimmed(),
                                            proposta.preco(i).left(40));
            ++nomeados;
        }
    return interlocutor.pergunta(PrecosRecusadosNoEnvio.arg(lista), false);
}

// The receipt keeps the total in 64 bits; a total past them (quantities and prices at their
// limits) is kept as the largest it can hold.
qint64 totalDoRecibo(formatos::Centavos total) {
    return qint64(std::min<formatos::Centavos>(total, std::numeric_limits<qint64>::max()));
}

} // namespace

DesfechoDoEnvio Envia(const Proposta& proposta, const DestinoDoEnvio& destino,
                      RespostaAnterior::Origem anterior, banco::BancoLocal* banco,
                      Rascunho* rascunho, Interlocutor& interlocutor) {
    const formatos::Resposta resposta = proposta.resposta();
    if (!cabeNoLeitor(proposta, resposta, interlocutor))
        return {};
    // An earlier answer that could not be read is not replaced unasked.
    if (anterior == RespostaAnterior::Origem::Ilegivel &&
        !interlocutor.pergunta(SubstituirIlegivel, false))
        return {};
    if (!aceitaPrecosRecusados(proposta, interlocutor) ||
        !passaPelaSegundaOlhada(proposta, interlocutor) || !interlocutor.conectado())
        return {};

    // An answer that did not reach the disk whole must not be sent.
    const auto gravada = GravaResposta(resposta, destino.pedido.local);
    if (!gravada) {
        interlocutor.avisa(nucleo::Diz(gravada.falha()));
        return {};
    }
    const QByteArray& bytes = *gravada;
    std::optional<remoto::Desfecho> enviado;
    interlocutor.aguarda(Enviando, [&] { enviado = remoto::SobeEsperando(destino.pedido); });
    if (!enviado || !*enviado) {
        // A server that can no longer be trusted got nothing: that is what the supplier is told.
        // Any other failure is the sending's own message; the log keeps what happened.
        const bool inseguro = enviado && enviado->falha().tipo == nucleo::Falha::Tipo::Inseguro;
        if (enviado)
            nucleo::Registra(enviado->falha());
        interlocutor.avisa(inseguro ? enviado->falha().texto : ErroEnvio);
        return {};
    }

    // The receipt is what the next login checks the server's answer against, and what the list
    // of answers sent shows.
    banco::Recibo recibo =
        ReciboDoEnvio(destino.cotacao, destino.cnpj, destino.pedido.arquivo, bytes);
    recibo.solicitante = proposta.cotacao().solicitante.trimmed();
    recibo.cotados = proposta.cotados();
    recibo.produtos = proposta.produtos();
    recibo.total = totalDoRecibo(proposta.centavos());
    const nucleo::Resultado<void> registrado =
        banco ? RegistraEnvio(*banco, recibo, proposta.precosParaGuardar())
              : nucleo::Resultado<void>();
    // The receipt took the kept draft with it; where it could not be kept, the draft stays for
    // the next session, which offers it.
    if (rascunho)
        rascunho->esquece();
    // The answer is on the server: the success is told first, whatever happens to the terms
    // kept for the next quotation.
    const nucleo::Resultado<void> termos = GuardaTermos(resposta.termos, destino.config);
    interlocutor.avisa(Enviada);
    if (!registrado)
        interlocutor.avisa(ReciboNaoGuardado.arg(nucleo::Diz(registrado.falha())));
    if (!termos)
        interlocutor.avisa(TermosNaoGuardados + u' ' + nucleo::Diz(termos.falha()));
    return {true, interlocutor.pergunta(PerguntaImprimir, true)};
}

void AbreRespostaAnterior(Proposta& proposta, const RespostaAnterior& anterior,
                          const std::optional<banco::Recibo>& recibo, const DestinoDoEnvio& destino,
                          Interlocutor& interlocutor) {
    using Origem = RespostaAnterior::Origem;
    if (anterior.origem == Origem::Nenhuma || anterior.origem == Origem::Ilegivel)
        return;
    const QString& caminho = destino.pedido.local;
    if (anterior.origem == Origem::Diferente && recibo &&
        interlocutor.pergunta(
            textos::RespostaDiferente.arg(DateToText(recibo->quando.date()),
                                          recibo->quando.time().toString(u"HH:mm")),
            true)) {
        if (auto restaurada = RestauraCopia(anterior, caminho); !restaurada)
            interlocutor.avisa(nucleo::Diz(restaurada.falha()));
    }
    // An answer or a Config.ini that is there but cannot be read is told, not loaded as empty.
    nucleo::ArquivoIni arquivo, config;
    for (auto lido : {arquivo.carrega(caminho), config.carrega(destino.config)})
        if (!lido)
            interlocutor.avisa(nucleo::Diz(lido.falha()));
    formatos::Resposta resposta = formatos::LeResposta(arquivo);
    resposta.termos = formatos::TermosDoFormulario(resposta.termos, config);
    proposta.carregaResposta(resposta);
}

} // namespace proposta
