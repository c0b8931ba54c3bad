#pragma once

#include "banco/BancoLocal.h"
#include "banco/Recibos.h"
#include "nucleo/Resultado.h"

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

namespace acesso {

// One line of the list: the receipt of an answer sent, or a draft not yet sent.
struct RespostaListada {
    QDateTime quando;
    QString cotacao;
    QString cnpj;
    QString solicitante;                 // empty when unknown
    std::optional<banco::Recibo> recibo; // nothing for a draft

    bool rascunho() const { return !recibo.has_value(); }
};

// The answers sent from this computer and the drafts not yet sent, newest first. A draft's
// requester comes from the quotation file kept in the program's folder.
nucleo::Resultado<QList<RespostaListada>> RespostasDoComputador(banco::BancoLocal& banco);

// The quotation numbers of the answers and drafts, each once, newest first, at most `maximo`.
QStringList NumerosRecentes(banco::BancoLocal& banco, int maximo = 100);

// The copy of an answer kept in the program's folder, when it is the one `recibo` was made of;
// else why not, in the supplier's words: Inexistente (gone), Ilegivel (there, but it cannot be
// read; the system's words in the detail) or Recusada (another file: changed or replaced after
// the sending).
nucleo::Resultado<QByteArray> ConfereCopia(const banco::Recibo& recibo);

} // namespace acesso
