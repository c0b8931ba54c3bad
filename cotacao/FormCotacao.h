#pragma once

#include "cotacao/ComandosDaGrade.h"
#include "cotacao/ConversaDaJanela.h"
#include "cotacao/TelaCotacao.h"
#include "formatos/Cotacao.h"
#include "grade/FlexCell.h"
#include "janelas/Janela.h"
#include "proposta/Atendimento.h"
#include "remoto/Conexao.h"

#include <QLineEdit>
#include <QScrollArea>

#include <memory>
#include <optional>

namespace banco {
class BancoLocal;
}

// The window in which the supplier answers one quotation: the requester, the product grid
// where he types prices and remarks, and his general terms. The answer itself is the Proposta of
// a proposta::Atendimento, which also opens the quotation, keeps the draft, sends and decides what
// closing does; the window shows the answer, hands it what is typed and asks it what to show.
class FormCotacao : public DataWindow {
public:
    FormCotacao(remoto::Rede rede, banco::BancoLocal* banco);
    ~FormCotacao() override;

    QString cCodCotacao; // the quotation number as typed at login
    QString cCNPJ;       // the supplier's CNPJ digits
    bool lModificado = false;

    // The quotation file as the login already read it: Setup then does not read it again.
    void usaCotacao(formatos::Cotacao cotacao);

    const proposta::Proposta& proposta() const { return m_atendimento.proposta(); }

    void Setup();
    // The window's size for a screen whose available area is `tela`: its full size where that
    // fits, the grid giving up rows (and the form scrolling) where it does not; placed in it.
    void cabeEm(const QRect& tela);
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
    QString MObservacoes() const { return m_tela.observacoes->text(); }
    void setMObservacoes(const QString& v) { m_tela.observacoes->setText(v); }
    QString MFormaPgto() const { return m_tela.formaPgto->text(); }
    void setMFormaPgto(const QString& v) { m_tela.formaPgto->setText(v); }
    QString MPrazoEntrega() const { return m_tela.prazoEntrega->text(); }
    void setMPrazoEntrega(const QString& v) { m_tela.prazoEntrega->setText(v); }
    QString MPedidoMinimo() const { return m_tela.pedidoMinimo->text(); }
    void setMPedidoMinimo(const QString& v) { m_tela.pedidoMinimo->setText(v); }
    QString MValorFrete() const { return m_tela.valorFrete->text(); }
    void setMValorFrete(const QString& v) { m_tela.valorFrete->setText(v); }

    FlexCell MListaProdutos;
    FlexCell MListaRelatorios;

    // The commands beyond sending, printing and leaving: the product grid as a spreadsheet.
    cotacao::ComandosDaGrade& comandos() { return *m_comandos; }

protected:
    bool QueryClose() override;
    void EditChange(QLineEdit* edit) override;
    void Timer() override;

private:
    void PreInit();
    void criaControles();
    void criaMenu();
    // The term fields show the Proposta's terms and hand it what is typed.
    void ligaProposta();
    // Sends the answer, offers printing and opens the thank-you window; true when the answer
    // went out (the form may then close).
    bool enviaResposta();
    // What the supplier sees becomes the answer: the cell being edited is committed and the
    // amounts get their two decimals.
    void fechaEdicao();

    remoto::Rede m_rede;
    banco::BancoLocal* m_banco;
    std::optional<formatos::Cotacao> m_cotacao; // as the login read it, until Setup
    // Outlives the answer: its draft tells later failures through it.
    std::unique_ptr<cotacao::ConversaDaJanela> m_conversa;
    proposta::Atendimento m_atendimento;
    bool m_encerrando = false; // leaving is decided: close without asking
    cotacao::TelaCotacao m_tela;
    QWidget* m_area = nullptr;        // the controls, at their places
    QScrollArea* m_rolagem = nullptr; // around them
    // Goes before the Proposta and the grid: from then on the grid cannot reach the answer.
    std::unique_ptr<cotacao::ComandosDaGrade> m_comandos;
};
