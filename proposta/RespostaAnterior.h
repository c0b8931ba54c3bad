#pragma once

#include "banco/Recibos.h"
#include "nucleo/Gravacao.h"
#include "remoto/Ftp.h"

#include <QByteArray>
#include <QString>

#include <optional>

// The answer sent earlier, as the login finds it, without the form. Only the server's "no such
// file" means that nothing was sent: any other failure of the download leaves the earlier answer
// unknown, and the copy this computer kept of its last sending stands in for it when its bytes
// are those of the last receipt.
namespace proposta {

struct RespostaAnterior {
    enum class Origem {
        Nenhuma,    // the server has no answer
        Servidor,   // the server's answer, now in the local answer file
        Diferente,  // the server's answer is not the one sent last from here, whose bytes are in
                    // `copia`; the local answer file holds the server's
        CopiaLocal, // the server did not give it; the local answer file is the last one sent
                    // from here
        Ilegivel,   // the server did not give it and nothing here stands in for it
    };
    Origem origem = Origem::Nenhuma;
    QByteArray copia;
};

// Downloads the answer of `pedido` onto its local answer file (a failed download leaves that file
// as it was) and tells where the earlier answer now comes from. `recibo`: the last receipt of
// this quotation and supplier, when there is one.
RespostaAnterior BaixaRespostaAnterior(const remoto::PedidoFtp& pedido,
                                       const std::optional<banco::Recibo>& recibo);

// The copy sent from here back as the local answer file (after a changed one was downloaded).
nucleo::Resultado<void> RestauraCopia(const RespostaAnterior& anterior, const QString& caminho);

// The status line about the earlier answer as the form opens: unreadable, loaded from the copy
// kept here, or the time of the last sending from here; empty when there is nothing to say.
QString SituacaoDoEnvio(const RespostaAnterior& anterior,
                        const std::optional<banco::Recibo>& recibo);

} // namespace proposta
