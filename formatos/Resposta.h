#pragma once

#include <QString>
#include <QStringList>

#include <optional>

namespace nucleo {
class ArquivoIni;
}

namespace formatos {

// The supplier's general terms, as the five edit fields hold them.
struct Termos {
    QString obsGeral;
    QString prazoEntrega;
    QString formaPgto;
    QString pedidoMinimo;
    QString valorFrete;
};

// An answer: a price and a remark per product row, in row order, and the terms. Prices are the
// texts the grid holds ("12,5", "0,00"); the file gets their number texts.
struct Resposta {
    QStringList precos;
    QStringList observacoes;
    Termos termos;
};

// A text as it may go into the answer file: every control character (NUL, tab, CR, LF and the
// rest below 0x20) becomes a blank, so no value can end its INI line early or be cut by a reader
// that stops at NUL. Remarks get it when they enter the grid (paste, spreadsheet) and every value
// again when the answer is written.
QString SemControles(QString texto);

// An answer file as read back: the terms with their defaults ("" for the texts, "0,00" for the
// two amounts), the items of the two lists in order.
Resposta LeResposta(const nucleo::ArquivoIni& arquivo);

// The terms the form shows for an answer sent earlier: a blank text, or an amount that reads as
// zero, takes the value kept in Config.ini at the last sending; amounts get two decimals.
Termos TermosDoFormulario(const Termos& daResposta, const nucleo::ArquivoIni& config);

// Writes the answer's keys as a sending does, in this order: ListaPrecosForn (number texts) and
// ListaObsProdutos (trimmed), only when there is at least one product row; then ObsGeral,
// PrazoEntrega, FormaPgto, PedidoMinimo and ValorFrete, trimmed. Every value SemControles. Keys
// it does not write stay.
void EscreveResposta(nucleo::ArquivoIni& arquivo, const Resposta& resposta);

// The items of the answer's two lists as EscreveResposta writes them: prices as number texts (a
// text the amount rule refuses as zero), remarks SemControles and trimmed; one per product row.
QStringList ItensDePrecos(const Resposta& resposta);
QStringList ItensDeObservacoes(const Resposta& resposta);

// How much of what the buyer's reader takes (nucleo::kLimiteValorIni characters per value) an
// answer uses, value by value, as EscreveResposta would write it.
struct MedidaDaResposta {
    qsizetype observacoes = 0; // characters of ListaObsProdutos
    struct Excesso {
        QString chave;
        qsizetype alem = 0; // characters beyond the limit
    };
    QList<Excesso> excessos; // the values the reader would cut, in the file's order
    QList<int> maisLongas;   // products (from 0) with the longest remarks, longest first, up to 5

    bool cabe() const { return excessos.isEmpty(); }
    // The characters left in the remarks once 90 % of the limit is used (negative beyond it);
    // nothing before that.
    std::optional<qsizetype> espacoNasObservacoes() const;
};
MedidaDaResposta MedeResposta(const Resposta& resposta);
// Only the remarks' room of MedeResposta, as the form shows it at every remark typed.
std::optional<qsizetype> EspacoNasObservacoes(const Resposta& resposta);

// The terms Config.ini keeps after a successful sending, as the fields hold them.
void EscreveTermosNaConfig(nucleo::ArquivoIni& config, const Termos& termos);

} // namespace formatos
