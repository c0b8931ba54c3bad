#pragma once

#include "banco/BancoLocal.h"
#include "banco/Recibos.h"
#include "janelas/Janela.h"

#include <QAbstractTableModel>
#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>

#include <array>
#include <functional>
#include <optional>

class QLabel;
class QLineEdit;
class QPushButton;
class QSortFilterProxyModel;
class QTableView;

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

// The list as a table: every text made once, so a thousand lines show at once.
class ModeloMinhasCotacoes : public QAbstractTableModel {
public:
    enum Coluna { Quando, Cotacao, Solicitante, Cotados, Total, Situacao, Colunas };

    explicit ModeloMinhasCotacoes(QList<RespostaListada> respostas, QObject* pai = nullptr);

    int rowCount(const QModelIndex& pai = {}) const override;
    int columnCount(const QModelIndex& pai = {}) const override;
    QVariant data(const QModelIndex& indice, int papel = Qt::DisplayRole) const override;
    QVariant headerData(int secao, Qt::Orientation orientacao,
                        int papel = Qt::DisplayRole) const override;

    const RespostaListada& resposta(int linha) const { return m_respostas[linha]; }

private:
    QList<RespostaListada> m_respostas;
    QList<std::array<QString, Colunas>> m_textos;
};

// "Minhas cotações": the answers sent from here and the drafts, filtered by number or
// requester. Enter or a double click hands the chosen number to the login and closes the list;
// "Imprimir" prints an answer sent through `imprime`, only when the copy kept here is the one
// sent (hidden when there is no `imprime`).
class FormMinhasCotacoes : public DataDialog {
public:
    using Escolhe = std::function<void(const QString& numero)>;
    // Prints the answer of `recibo` from `resposta`, the bytes of the copy checked against it.
    using ImprimeResposta =
        std::function<void(const banco::Recibo& recibo, const QByteArray& resposta)>;

    FormMinhasCotacoes(QWidget* dono, banco::BancoLocal& banco, Escolhe escolhe,
                       ImprimeResposta imprime = {});

    void Usar();
    void Imprimir();

private:
    void filtra(const QString& texto);
    void atualizaBotoes();
    std::optional<RespostaListada> atual() const;

    Escolhe m_escolhe;
    ImprimeResposta m_imprime;
    ModeloMinhasCotacoes* m_modelo = nullptr;
    QSortFilterProxyModel* m_filtro = nullptr;
    QLineEdit* m_campoFiltro = nullptr;
    QTableView* m_tabela = nullptr;
    QLabel* m_aviso = nullptr;
    QPushButton* m_usar = nullptr;
    QPushButton* m_imprimir = nullptr;
    QPushButton* m_fechar = nullptr;
};

} // namespace acesso
