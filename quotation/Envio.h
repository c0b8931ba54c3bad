#pragma once

#include "quotation/formats/Resposta.h"
#include "runtime/core/Gravacao.h"
#include "store/Recibos.h"

#include <QByteArray>
#include <QString>

// Sending an answer, without the form: the answer file, and what the local database keeps of a
// verified sending.
namespace cotacao {

// Writes the answer into the answer file at `caminho`: every key at once, in one atomic
// rewrite that keeps the keys it does not write, so a process killed at any moment leaves the old
// answer or the new one, never a mix. `bytes` receives the file as written.
nucleo::FalhaGravacao GravaResposta(const formatos::Resposta& resposta, const QString& caminho,
                                    QByteArray* bytes = nullptr);

// The receipt of a sending whose file the server holds whole.
banco::Recibo ReciboDoEnvio(const QString& cotacao, const QString& cnpj, const QString& arquivo,
                            const QByteArray& bytes);

// After a verified sending, in one transaction: the receipt is kept, the draft goes, and the
// prices sent (by product: barcode or "PLU:" + PLU) are kept for the next quotations.
bool RegistraEnvio(banco::BancoLocal& banco, const banco::Recibo& recibo,
                   const QList<QPair<QString, QString>>& precos = {});

// Keeps the terms of a sending in Config.ini, as the fields hold them, in one rewrite.
nucleo::FalhaGravacao GuardaTermos(const formatos::Termos& termos, const QString& config);

} // namespace cotacao
