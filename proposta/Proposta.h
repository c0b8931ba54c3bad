#pragma once

#include "formatos/Cotacao.h"
#include "formatos/Quantia.h"
#include "formatos/Resposta.h"
#include "proposta/Identidade.h"

#include <QDate>
#include <QHash>
#include <QList>
#include <QObject>
#include <QString>

#include <optional>

namespace proposta {

// What the supplier fills in for a product.
enum class Campo { Preco, Observacao };

// One value of a product before and after a change.
struct Alteracao {
    int produto = 0; // in the quotation's order, from 0
    Campo campo = Campo::Preco;
    QString antes;
    QString depois;
    friend bool operator==(const Alteracao&, const Alteracao&) = default;
};

// A price known from elsewhere for a product: the last one sent, or the supplier's price table.
struct PrecoConhecido {
    formatos::Quantia preco;
    QDate data; // when it was sent, or the table's date
};
// Prices known by the products' codes, as the local database keeps them.
using PrecosConhecidos = QList<QPair<Identidade, PrecoConhecido>>;

// The answer being typed, without any window: the quotation's products, each one's price and
// remark, the general terms, and everything that follows from them. Every rule of the answer
// lives here: a price is read once, when it changes, under the amount rule (formatos::Quantia);
// a text the rule refuses is kept as typed, counts as zero and is a price to correct. The totals
// follow each change one product at a time, in cents; the answer file and the reader's limit are
// measured from here, and every change is told once, with the values before and after, to
// whoever keeps a draft, an undo history or a screen.
class Proposta : public QObject {
    Q_OBJECT
public:
    explicit Proposta(QObject* pai = nullptr);

    // Starts over on a quotation: every price "0,00", every remark and term empty. Tells no
    // change.
    void inicia(formatos::Cotacao cotacao);

    const formatos::Cotacao& cotacao() const { return m_cotacao; }
    int produtos() const { return int(m_linhas.size()); }
    const formatos::Produto& produto(int i) const { return m_cotacao.produtos[i]; }

    // How a product is known across quotations: its barcode and PLU; chave() is its key.
    const Identidade& identidade(int i) const { return m_linhas[i].identidade; }
    const QString& chave(int i) const { return m_linhas[i].chave; }
    // The products a line of another file names (Compara): those of its very identity, else
    // those its barcode alone names, else its PLU alone, when they are all of one identity.
    struct Achados {
        QList<int> produtos; // in the quotation's order
        Correspondencia como = Correspondencia::Nenhuma;
    };
    Achados localiza(const Identidade& linha) const;

    const QString& texto(int i, Campo campo) const;
    const QString& preco(int i) const { return m_linhas[i].preco; }
    const QString& observacao(int i) const { return m_linhas[i].observacao; }
    // The price as an amount, read once when it changed; zero for a product not priced and for
    // a price the amount rule refuses.
    formatos::Quantia valor(int i) const { return m_linhas[i].valor.value_or(formatos::Quantia()); }
    bool precoRecusado(int i) const { return !m_linhas[i].valor; }
    // The price as the grid and the report show it: the amount grouped in thousands, or a text
    // the rule refuses as it was typed.
    QString precoMostrado(int i) const {
        return precoRecusado(i) ? preco(i) : m_linhas[i].valor->mostrada();
    }
    int precosRecusados() const { return m_recusados; }
    // The quantity as read from the quotation; zero when it is not a quantity.
    formatos::Quantidade quantidade(int i) const { return m_linhas[i].quantidade; }
    bool quantidadeRecusada(int i) const { return m_linhas[i].quantidadeRecusada; }
    // The products whose quantity in the quotation file is not a quantity the program reads.
    QList<int> quantidadesRecusadas() const;
    // Quantity times price, rounded to the cent (formatos::Subtotal).
    formatos::Centavos subtotal(int i) const { return m_linhas[i].centavos; }

    // Makes the changes (the `antes` given are not looked at) and tells, once, those that
    // changed something, with their real values before. Products out of range are passed over.
    QList<Alteracao> altera(const QList<Alteracao>& alteracoes);
    void define(int i, Campo campo, const QString& texto) { altera({{i, campo, {}, texto}}); }

    const formatos::Termos& termos() const { return m_termos; }
    // A term by the name of its field (MObservacoes, MPrazoEntrega, MFormaPgto, MPedidoMinimo,
    // MValorFrete); false when there is no such term.
    bool defineTermo(const QString& campo, const QString& texto);
    QString termo(const QString& campo) const;
    static const QStringList& CamposDosTermos();

    // The answer sent earlier, by position: items beyond the last product are dropped.
    void carregaResposta(const formatos::Resposta& resposta);
    formatos::Resposta resposta() const;

    // The figures of the status bar: how many products have a subtotal above zero, the total
    // (the sum of the subtotals), and the minimum order.
    int cotados() const { return m_cotados; }
    formatos::Centavos centavos() const { return m_centavos; }
    // How much is missing to reach the minimum order (0 when reached); nothing when the
    // minimum order is not an amount above zero.
    std::optional<formatos::Centavos> faltaParaOMinimo() const;
    // "Cotados: 12 de 3.500  |  Total: 1.234,50  |  Pedido mínimo atingido"
    QString resumo() const;

    // The room the buyer's reader leaves for the remarks, the answer measured as it would be
    // written; nothing while most of it is free.
    std::optional<qsizetype> espacoNasObservacoes() const;

    // Prices known from elsewhere, each given to the product it names: of the same identity
    // first, else by the barcode alone, else by the PLU alone, and by one code only when that
    // names no other product and no other price names this one by that code (a barcode on a can
    // and a box is never the price of both).
    void defineUltimosPrecos(const PrecosConhecidos& precos);
    // The supplier's table of `data` (invalid: no table).
    void defineTabela(const PrecosConhecidos& precos, const QDate& data = {});
    const QDate& dataDaTabela() const { return m_dataDaTabela; }
    const PrecoConhecido* ultimoPreco(int i) const;
    const PrecoConhecido* precoDaTabela(int i) const;
    // The prices known of product `i`, each put in its words with its date ("%1 ... %2"): the
    // last one sent in `ultimo`, then the table's in `tabela`.
    QStringList precosConhecidos(int i, const QString& ultimo, const QString& tabela) const;
    // How many products `precos` would give a price to, as defineTabela would.
    int comPrecoEm(const PrecosConhecidos& precos) const;
    // How the table's price was found for each product, for the fill's summary.
    Correspondencia achadoNaTabela(int i) const;

    // The products whose price is ten times off the last one sent or the table's, for a second
    // look before sending.
    struct Salto {
        int produto = 0;
        const PrecoConhecido* referencia = nullptr;
        bool daTabela = false;
    };
    QList<Salto> saltos() const;

    // The price changes that fill every product not priced (and not holding a price to correct)
    // from the last prices sent or the table (nothing is changed here).
    QList<Alteracao> preenchimentoPelosUltimos() const;
    QList<Alteracao> preenchimentoPelaTabela() const;

    // The prices of the priced products, by key, as the next quotations find them.
    QList<QPair<QString, QString>> precosParaGuardar() const;

Q_SIGNALS:
    void alterada(const QList<proposta::Alteracao>& feitas);
    void termoAlterado(const QString& campo, const QString& texto);

private:
    struct Linha {
        Identidade identidade;
        QString chave;
        QString preco;
        QString observacao;
        std::optional<formatos::Quantia> valor; // nothing when the amount rule refuses the price
        formatos::Quantidade quantidade;
        bool quantidadeRecusada = false;
        formatos::Centavos centavos = 0; // the subtotal
    };
    struct Conhecido {
        PrecoConhecido preco;
        Correspondencia como = Correspondencia::Nenhuma;
    };
    void calcula(Linha& linha);
    QList<std::optional<Conhecido>> distribui(const PrecosConhecidos& precos) const;
    QList<Alteracao> preenchimento(const PrecoConhecido* (Proposta::*conhecido)(int) const) const;

    formatos::Cotacao m_cotacao;
    QList<Linha> m_linhas;
    formatos::Termos m_termos;
    QMultiHash<QString, int> m_porBarras, m_porPlu;
    formatos::Centavos m_centavos = 0;
    int m_cotados = 0;
    int m_recusados = 0;
    QList<std::optional<Conhecido>> m_ultimos, m_tabela; // per product
    QDate m_dataDaTabela;
};

// What the form tells as it opens when quantities of the quotation could not be read; empty when
// every one was.
QString AvisoDeQuantidades(const Proposta& proposta);

} // namespace proposta
