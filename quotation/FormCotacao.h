#pragma once

#include "grid/FlexCell.h"
#include "quotation/core/Proposta.h"
#include "quotation/core/RespostaAnterior.h"
#include "quotation/formats/Cotacao.h"
#include "remote/Conexao.h"
#include "runtime/ui/Janela.h"
#include "store/Recibos.h"

#include <QDateTime>
#include <QLabel>
#include <QLineEdit>

#include <memory>
#include <optional>

class QMenu;
class QToolBar;
class QUndoStack;

namespace grade {
class ControleGrade;
}
namespace banco {
class BancoLocal;
}
namespace cotacao {
class Rascunho;
}

// The window in which the supplier answers one quotation: the requester, the product grid
// where he types prices and remarks, and his general terms. The answer itself is the Proposta;
// the window shows it, hands it what is typed and asks it what to show. What he types is kept as
// a draft in the local database (when there is one) until it is sent.
class FormCotacao : public DataWindow {
public:
    FormCotacao(remoto::Rede rede, banco::BancoLocal* banco);
    ~FormCotacao() override;

    QString cCodCotacao; // the quotation number as typed at login
    QString cCNPJ;       // the supplier's CNPJ digits
    bool lModificado = false;

    // The quotation file as the login already read it: Setup then does not read it again.
    void UsaCotacao(formatos::Cotacao cotacao);

    const cotacao::Proposta& proposta() const { return m_proposta; }

    void Setup();
    void Enviar();
    void Imprimir();
    void Sair();

    void IniciaListaProdutos();
    void PreencheListaProdutos();
    void PreencheDadosEnviados();
    void IniciaListaRelatorios();
    void PreencheListaRelatoriosRelCotacaoFinalizada();
    void RelCotacaoFinalizada();
    void MListaProdutosCellChange(int linha, int coluna);

    // The edit fields' values.
    QString MObservacoes() const { return m_observacoes->text(); }
    void setMObservacoes(const QString& v) { m_observacoes->setText(v); }
    QString MFormaPgto() const { return m_formaPgto->text(); }
    void setMFormaPgto(const QString& v) { m_formaPgto->setText(v); }
    QString MPrazoEntrega() const { return m_prazoEntrega->text(); }
    void setMPrazoEntrega(const QString& v) { m_prazoEntrega->setText(v); }
    QString MPedidoMinimo() const { return m_pedidoMinimo->text(); }
    void setMPedidoMinimo(const QString& v) { m_pedidoMinimo->setText(v); }
    QString MValorFrete() const { return m_valorFrete->text(); }
    void setMValorFrete(const QString& v) { m_valorFrete->setText(v); }

    FlexCell MListaProdutos;
    FlexCell MListaRelatorios;

    // Commands beyond sending, printing and leaving: the product grid as a spreadsheet.
    void Desfazer();
    void Refazer();
    void Copiar();
    void Colar();
    void Localizar();
    void ExportarPlanilha();
    void ImportarPlanilha();
    void PreencherUltimosPrecos();
    // The supplier's own price table: kept in the local database, then used for any quotation.
    void ImportarTabelaDePrecos();
    void PreencherComTabelaDePrecos();

protected:
    bool QueryClose() override;
    void EditChange(QLineEdit* edit) override;
    void Timer() override;

private:
    void PreInit();
    void criaControles();
    void criaMenu();
    // The grid and the term fields show the Proposta and hand it what is typed.
    void ligaProposta();
    void mostra(const QList<cotacao::Alteracao>& feitas);
    // Writes and uploads the answer, offers printing and opens the thank-you window; true when
    // the answer went out (the form may then close).
    bool EnviaResposta();
    // What the supplier sees becomes the answer: the cell being edited is committed and the
    // amounts get their two decimals.
    void fechaEdicao();
    QString arquivoCotacao() const;
    QString nomeResposta() const;

    // Drafts: what was typed and not sent, kept in the local database.
    void iniciaRascunho();
    // Shows where the earlier answer came from and the time of the last sending, when there was
    // one, and answers that time.
    std::optional<QDateTime> mostraUltimoEnvio();
    void ofereceRascunho(const std::optional<QDateTime>& ultimoEnvio);
    // Tells, as the form opens, that drafts cannot be kept and why, or that a damaged file of
    // drafts was moved aside.
    void avisaBanco();
    QLineEdit* campoDoTermo(const QString& nome) const;

    // The spreadsheet-like commands (ComandosCotacao.cpp).
    void criaComandos(QMenu* arquivo);
    void criaLocalizar(QToolBar* barra);
    void iniciaComandos();
    void carregaTabela();
    // Changes of the answer made by a command: the cell being edited committed first.
    void aplica(const QList<cotacao::Alteracao>& alteracoes);
    void filtra(const QString& texto);
    void atualizaResumo();
    // The room left in the remarks, once most of what the buyer's reader takes is used.
    void atualizaEspaco();
    QVariant decoracao(int linha, int coluna, int papel) const;
    bool pergunta(const QString& texto, const QString& sim, const QString& nao, bool padraoSim);

    remoto::Rede m_rede;
    banco::BancoLocal* m_banco;
    formatos::Cotacao m_cotacao; // until Setup hands it to the Proposta
    bool m_cotacaoLida = false;
    cotacao::Proposta m_proposta;
    std::optional<banco::Recibo> m_recibo; // the last sending from here
    cotacao::RespostaAnterior m_anterior;
    std::unique_ptr<cotacao::Rascunho> m_rascunho;
    bool m_preenchendo = false; // the program fills the form: nothing typed to keep
    bool m_encerrando = false;  // leaving is decided: close without asking
    QLineEdit* m_formaPgto = nullptr;
    QLineEdit* m_prazoEntrega = nullptr;
    QLineEdit* m_pedidoMinimo = nullptr;
    QLineEdit* m_valorFrete = nullptr;
    QLineEdit* m_observacoes = nullptr;
    QLabel* m_solicitante = nullptr;
    QLabel* m_situacao = nullptr; // the status bar's lasting line
    QLabel* m_resumoMostrado = nullptr;
    QLabel* m_espaco = nullptr; // the remarks' room, shown only when it runs short
    QLineEdit* m_localizar = nullptr;
    QUndoStack* m_desfazer = nullptr;
    bool m_desfazendo = false;
    QStringList m_chavesDeBusca; // per product
    QDate m_dataDaTabela;        // of the price table; invalid when there is none
    grade::ControleGrade* m_produtos = nullptr;
    grade::ControleGrade* m_relatorios = nullptr;
};
