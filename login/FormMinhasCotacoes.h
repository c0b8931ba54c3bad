#pragma once

#include "acesso/MinhasCotacoes.h"
#include "janelas/Janela.h"

#include <QAbstractTableModel>
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

namespace login {

// The list as a table: every text made once, so a thousand lines show at once.
class ModeloMinhasCotacoes : public QAbstractTableModel {
public:
    enum Coluna { Quando, Cotacao, Solicitante, Cotados, Total, Situacao, Colunas };

    explicit ModeloMinhasCotacoes(QList<acesso::RespostaListada> respostas, QObject* pai = nullptr);

    int rowCount(const QModelIndex& pai = {}) const override;
    int columnCount(const QModelIndex& pai = {}) const override;
    QVariant data(const QModelIndex& indice, int papel = Qt::DisplayRole) const override;
    QVariant headerData(int secao, Qt::Orientation orientacao,
                        int papel = Qt::DisplayRole) const override;

    const acesso::RespostaListada& resposta(int linha) const { return m_respostas[linha]; }

private:
    QList<acesso::RespostaListada> m_respostas;
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
    std::optional<acesso::RespostaListada> atual() const;

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

} // namespace login
