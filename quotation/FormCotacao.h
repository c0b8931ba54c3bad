#pragma once

#include "grid/FlexCell.h"
#include "remote/Conexao.h"
#include "runtime/Window.h"

#include <QLabel>
#include <QLineEdit>

class ControleGrade;

// The window in which the supplier answers one quotation: the requester, the product grid
// where he types prices and remarks, and his general terms.
class FormCotacao : public DataWindow {
public:
    explicit FormCotacao(Rede rede);

    QString cCodCotacao; // the quotation number as typed at login
    QString cCNPJ;       // the supplier's CNPJ digits
    bool lModificado = false;

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

protected:
    bool QueryClose() override;
    void EditChange(QLineEdit* edit) override;
    void Timer() override;

private:
    void PreInit();
    void criaControles();
    void criaMenu();
    // Writes and uploads the answer, remembers the terms, offers printing and opens the
    // thank-you window; true when the answer went out (the form may then close).
    bool EnviaResposta();
    bool gravaResposta(const QString& arquivo);
    QString arquivoCotacao() const;
    QString nomeResposta() const;

    Rede m_rede;
    bool m_encerrando = false; // leaving is decided: close without asking
    QLineEdit* m_formaPgto = nullptr;
    QLineEdit* m_prazoEntrega = nullptr;
    QLineEdit* m_pedidoMinimo = nullptr;
    QLineEdit* m_valorFrete = nullptr;
    QLineEdit* m_observacoes = nullptr;
    QLabel* m_solicitante = nullptr;
    ControleGrade* m_produtos = nullptr;
    ControleGrade* m_relatorios = nullptr;
};
