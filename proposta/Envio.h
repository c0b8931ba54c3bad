#pragma once

#include "banco/Recibos.h"
#include "formatos/Resposta.h"
#include "nucleo/Gravacao.h"
#include "proposta/Proposta.h"
#include "proposta/RespostaAnterior.h"
#include "remoto/Conexao.h"

#include <QByteArray>
#include <QString>

#include <functional>

// Sending an answer, without the form: the answer file, the upload, and what the local database
// keeps of a verified sending.
namespace proposta {

class Rascunho;

// Writes the answer into the answer file at `caminho`: every key at once, in one atomic
// rewrite that keeps the keys it does not write, so a process killed at any moment leaves the old
// answer or the new one, never a mix. The file as written.
nucleo::Resultado<QByteArray> GravaResposta(const formatos::Resposta& resposta,
                                            const QString& caminho);

// The receipt of a sending whose file the server holds whole.
banco::Recibo ReciboDoEnvio(const QString& cotacao, const QString& cnpj, const QString& arquivo,
                            const QByteArray& bytes);

// After a verified sending, in one transaction: the receipt is kept, the draft goes, and the
// prices sent (by product: Identidade::chave) are kept for the next quotations.
nucleo::Resultado<void> RegistraEnvio(banco::BancoLocal& banco, const banco::Recibo& recibo,
                                      const QList<QPair<QString, QString>>& precos = {});

// The last price sent of every product in any quotation but `exceto`, by the products' codes,
// for Proposta::defineUltimosPrecos.
nucleo::Resultado<PrecosConhecidos> UltimosPrecosEnviados(banco::BancoLocal& banco,
                                                          const QString& exceto);

// Keeps the terms of a sending in Config.ini, as the fields hold them, in one rewrite.
nucleo::Resultado<void> GuardaTermos(const formatos::Termos& termos, const QString& config);

// What the sending says and asks along the way, in the window that sends.
class Interlocutor {
public:
    virtual ~Interlocutor() = default;
    // A question answered "Sim" or "Não"; true for "Sim".
    virtual bool pergunta(const QString& texto, bool padraoSim) = 0;
    virtual void avisa(const QString& texto) = 0;
    // Runs `trabalho` with the waiting notice `texto` on screen.
    virtual void aguarda(const QString& texto, const std::function<void()>& trabalho) = 0;
    // Whether the Internet answers; the window tells the supplier when it does not.
    virtual bool conectado() = 0;
};

// Where an answer goes and where its traces are kept.
struct DestinoDoEnvio {
    remoto::PedidoFtp pedido; // the server, the answer file's name there and its local path
    QString config;           // Config.ini, which keeps the terms for the next quotation
    QString cotacao;
    QString cnpj;
};

// Sends the answer of `proposta`, step by step: refuses what the buyer's reader would cut,
// asks before replacing an earlier answer that could not be read, before sending as zero prices
// that are not amounts and before sending prices ten times off, checks the connection, writes the
// answer file (nothing is sent unless it reached the disk whole), uploads it, records the receipt
// with the prices sent and keeps the terms. `banco` may be absent (no receipt then) or closed (the
// supplier is told the receipt was not kept); the `rascunho`, when there is one, is dropped once
// the server holds the answer. `imprimir` tells whether the supplier asked for the report after a
// sending.
struct DesfechoDoEnvio {
    bool enviada = false;
    bool imprimir = false;
};
DesfechoDoEnvio Envia(const Proposta& proposta, const DestinoDoEnvio& destino,
                      RespostaAnterior::Origem anterior, banco::BancoLocal* banco,
                      Rascunho* rascunho, Interlocutor& interlocutor);

// The answer sent earlier into `proposta` as the form opens, after BaixaRespostaAnterior: when
// the server's answer is not the last one sent from here, asks whether to put the copy sent
// from here back in the local answer file; then loads what that file holds, with the terms kept
// in Config.ini. Nothing is loaded when nothing was sent or the earlier answer is unreadable.
void AbreRespostaAnterior(Proposta& proposta, const RespostaAnterior& anterior,
                          const std::optional<banco::Recibo>& recibo, const DestinoDoEnvio& destino,
                          Interlocutor& interlocutor);

} // namespace proposta
