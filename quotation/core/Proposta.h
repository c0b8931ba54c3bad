#pragma once

#include "quotation/formats/Cotacao.h"
#include "quotation/formats/Resposta.h"

#include <QDate>
#include <QHash>
#include <QList>
#include <QObject>
#include <QString>

#include <optional>

namespace cotacao {

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
    QString preco; // as it would be typed, e.g. "12,50"
    QDate data;    // when it was sent, or the table's date
};

// The answer being typed, without any window: the quotation's products, each one's price and
// remark, the general terms, and everything that follows from them. Every rule of the answer
// lives here: a price is read once, when it changes (the amount rule of formatos::ValorAceito
// decides what the grid takes; this reads what it took), the totals follow it one product at a
// time, the answer file and the reader's limit are measured from here, and every change is told
// once, with the values before and after, to whoever keeps a draft, an undo history or a screen.
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

    // How a product is known across quotations and in the draft: its barcode, or "PLU:" + its
    // PLU where it has none.
    static QString Chave(const QString& plu, const QString& codigoBarras);
    const QString& chave(int i) const { return m_linhas[i].chave; }
    // The products a line of another file names: by barcode (the PLU choosing among products
    // that share it), else by PLU.
    QList<int> localiza(const QString& barras, const QString& plu) const;

    const QString& texto(int i, Campo campo) const;
    const QString& preco(int i) const { return m_linhas[i].preco; }
    const QString& observacao(int i) const { return m_linhas[i].observacao; }
    // The price as a number, read once when it changed; 0 for a product not priced.
    double valor(int i) const { return m_linhas[i].valor; }
    // Quantity times price, as the printed report computes it.
    double subtotal(int i) const { return m_linhas[i].quantidade * m_linhas[i].valor; }

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

    // The figures of the status bar: how many products have a subtotal above zero, the total,
    // and the minimum order.
    int cotados() const { return m_cotados; }
    double total() const { return double(m_centavos) / 100.0; }
    qint64 centavos() const { return m_centavos; }
    // How much is missing to reach the minimum order (0 when reached); nothing when the
    // minimum order is not filled in.
    std::optional<double> faltaParaOMinimo() const;
    // "Cotados: 12 de 3.500  |  Total: 1.234,50  |  Pedido mínimo atingido"
    QString resumo() const;

    // The room the buyer's reader leaves for the remarks, the answer measured as it would be
    // written; nothing while most of it is free.
    std::optional<qsizetype> espacoNasObservacoes() const;

    // Prices known from elsewhere: the last ones sent, by product key; the supplier's price
    // table, product by product (an empty price where the table has none).
    void defineUltimosPrecos(QHash<QString, PrecoConhecido> precos);
    void defineTabela(QList<PrecoConhecido> porProduto);
    const PrecoConhecido* ultimoPreco(int i) const;
    const PrecoConhecido* precoDaTabela(int i) const;

    // The products whose price is ten times off the last one sent or the table's, for a second
    // look before sending.
    struct Salto {
        int produto = 0;
        const PrecoConhecido* referencia = nullptr;
        bool daTabela = false;
    };
    QList<Salto> saltos() const;

    // The price changes that fill every product not priced from the last prices sent or the
    // table (nothing is changed here).
    QList<Alteracao> preenchimentoPelosUltimos() const;
    QList<Alteracao> preenchimentoPelaTabela() const;

    // The prices of the priced products, by key, as the next quotations find them.
    QList<QPair<QString, QString>> precosParaGuardar() const;

Q_SIGNALS:
    void alterada(const QList<cotacao::Alteracao>& feitas);
    void termoAlterado(const QString& campo, const QString& texto);

private:
    struct Linha {
        QString chave;
        QString preco;
        QString observacao;
        double quantidade = 0;
        double valor = 0;
        qint64 centavos = 0; // the subtotal
    };
    void calcula(Linha& linha);
    QList<Alteracao> preenchimento(const PrecoConhecido* (Proposta::*conhecido)(int) const) const;

    formatos::Cotacao m_cotacao;
    QList<Linha> m_linhas;
    formatos::Termos m_termos;
    QMultiHash<QString, int> m_porBarras, m_porPlu;
    qint64 m_centavos = 0;
    int m_cotados = 0;
    QHash<QString, PrecoConhecido> m_ultimos;
    QList<PrecoConhecido> m_tabela; // per product
};

} // namespace cotacao
