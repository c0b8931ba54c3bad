#pragma once

#include "banco/Rascunhos.h"

#include <QHash>
#include <QObject>
#include <QTimer>

#include <functional>

namespace proposta {

class Proposta;

// Keeps the draft of the answer being typed: every change of the Proposta is noted with its
// value and time and saved to the local database within half a second, all pending changes in
// one transaction, so typing never waits for the disk and a process killed at any moment loses
// at most the last half second.
class Rascunho : public QObject {
public:
    // Told when a save failed (why, in the supplier's words) and when saving works again (an
    // empty text).
    using AvisoDeFalha = std::function<void(const QString& erro)>;

    Rascunho(banco::BancoLocal* banco, QString cotacao, QString cnpj,
             AvisoDeFalha avisoDeFalha = {});
    ~Rascunho() override;

    // From now on, every change of `proposta` goes into the draft.
    void acompanha(const Proposta& proposta);

    // Saves what is pending now; fails when the database refused it or is unavailable (it
    // stays pending). Without a database at all there is nothing to save.
    nucleo::Resultado<void> guardaAgora();

    // When the draft kept from an earlier session last changed; nothing when there is none.
    nucleo::Resultado<std::optional<QDateTime>> alteradoEm() const;
    // Puts the draft kept from an earlier session into `proposta`: the terms, and each price
    // or remark only onto the product it was typed for.
    nucleo::Resultado<void> recupera(Proposta& proposta) const;
    // Drops the draft, pending changes and kept ones.
    nucleo::Resultado<void> descarta();
    // Drops what is pending only: after a sending, whose receipt took the kept draft with it.
    void esquece();
    // Offers the draft kept from an earlier session, as the form opens. One not newer than
    // `ultimoEnvio` was sent after all and is dropped; otherwise `pergunta` is asked with the
    // draft's date and time, and the draft goes into `proposta` (true) or is dropped. A draft
    // that could not be read or dropped fails, and stays for the next session.
    nucleo::Resultado<bool> oferece(Proposta& proposta, const std::optional<QDateTime>& ultimoEnvio,
                                    const std::function<bool(const QString& pergunta)>& pergunta);

    static constexpr int atraso = 500; // milliseconds

private:
    void anota(const QString& campo, int linha, const QString& produto, const QString& valor);

    banco::BancoLocal* m_banco;
    QString m_cotacao;
    QString m_cnpj;
    AvisoDeFalha m_avisoDeFalha;
    QHash<QPair<QString, int>, banco::ItemRascunho> m_pendentes;
    QTimer m_temporizador;
    bool m_falhou = false;
};

// What the supplier is told about the local database as the form opens: that a damaged file was
// moved aside (said once), and that drafts cannot be kept, and why.
QStringList AvisosDoBanco(banco::BancoLocal& banco);

} // namespace proposta
