#pragma once

#include "banco/Recibos.h"
#include "formatos/Cotacao.h"
#include "proposta/Envio.h"
#include "proposta/Proposta.h"
#include "proposta/RespostaAnterior.h"

#include <QString>

#include <memory>
#include <optional>

namespace banco {
class BancoLocal;
}

namespace proposta {

class Rascunho;

// What the quotation's window says and asks while it opens and closes, besides the sending's
// words: while the program fills the window, and the lasting line beside the totals.
class ConversaDaAbertura : public Interlocutor {
public:
    // From now on (true) the answer's changes are the program's: shown, neither totalled nor
    // undone; from then on (false), the supplier's.
    virtual void preenchendo(bool sim) = 0;
    // The sending's situation, or why drafts are not kept; empty when there is nothing to say.
    virtual void mostraSituacao(const QString& texto) = 0;
};

// Where the answer to quotation `cotacao` of the supplier `cnpj` goes, on `servidorFtp`, and
// where the program keeps its copy and the terms.
DestinoDoEnvio DestinoDe(const QString& servidorFtp, const QString& cotacao, const QString& cnpj);

// One quotation answered, from its window's opening to the sending or the leaving, without the
// window: the answer (the Proposta), the last sending from here, the earlier answer, the draft.
// The window binds its widgets to the Proposta, calls these steps as it opens, and asks what
// leaving does.
class Atendimento {
public:
    // `banco` may be absent (no drafts, no receipts) or fail to open (told by `retoma`).
    explicit Atendimento(banco::BancoLocal* banco);
    ~Atendimento();

    Proposta& proposta() { return m_proposta; }
    const Proposta& proposta() const { return m_proposta; }

    // The quotation, as the login read it (else its file, read now; one that cannot be read is
    // told, and the answer starts empty), and the last sending from here (one that cannot be
    // read is told; the earlier answer is then not checked against it).
    void abre(DestinoDoEnvio destino, std::optional<formatos::Cotacao> cotacao,
              ConversaDaAbertura& conversa);
    // The answer sent earlier, downloaded and loaded into the Proposta (AbreRespostaAnterior).
    void preencheDadosEnviados(ConversaDaAbertura& conversa);
    // Once the window is filled: the prices kept here, the draft begun, what the database and
    // the quantities have to say, the sending's situation, and the draft of an earlier session
    // offered. True when a recovered draft changed the answer: it is not sent yet. The draft
    // tells its later failures through `conversa` (mostraSituacao): it must live as long as this.
    bool retoma(ConversaDaAbertura& conversa);

    // Sends the answer (Envia); the draft goes once the server holds the answer.
    DesfechoDoEnvio envia(Interlocutor& conversa);

    // What closing the window does, `modificado` when something typed is not sent: asks whether
    // to send it first ("Não" is not final: the draft keeps it); leaving keeps the draft for the
    // next login, and where it cannot, the window stays unless the supplier says otherwise.
    enum class Saida { Fica, Sai, Envia };
    Saida saida(bool modificado, Interlocutor& conversa);

    // Saves what the draft still holds and lets it go: while the window it tells through is
    // whole, before the window's parts go.
    void encerra();

private:
    banco::BancoLocal* m_banco;
    DestinoDoEnvio m_destino;
    Proposta m_proposta;
    std::optional<banco::Recibo> m_recibo; // the last sending from here
    RespostaAnterior m_anterior;
    std::unique_ptr<Rascunho> m_rascunho;
};

} // namespace proposta
