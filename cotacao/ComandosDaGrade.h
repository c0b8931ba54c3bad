#pragma once

#include "cotacao/BarraDaCotacao.h"
#include "proposta/PrecosDaTabela.h"
#include "proposta/Proposta.h"

#include <QDate>
#include <QObject>
#include <QStringList>

#include <optional>

class QLabel;
class QLineEdit;
class QMainWindow;
class QMenu;
class QTimer;
class QToolBar;
class QUndoStack;

namespace banco {
class BancoLocal;
}
namespace grade {
class ControleGrade;
}

namespace cotacao {

// The product grid bound to the answer, and the grid as a spreadsheet: undo, copy and paste,
// search, spreadsheets in and out, the last prices sent, the supplier's price table, and the
// totals as he types. What is typed in the price and remark columns goes to the Proposta; what
// the Proposta says changed shows in the grid and is one step to undo. Each command is a
// function of the Proposta (proposta/); here it gets its menu item, key and status line.
// The window owns it, and it must go before the grid and the Proposta do.
class ComandosDaGrade : public QObject {
public:
    ComandosDaGrade(QMainWindow* janela, proposta::Proposta& proposta,
                    grade::ControleGrade* produtos, banco::BancoLocal* banco);
    ~ComandosDaGrade() override;

    // The spreadsheets and the price table at the end of `arquivo`, the menu "Editar" after it,
    // and the totals and the remarks' room in the status bar.
    void criaMenus(QMenu* arquivo);
    // The search field, at the end of the tool bar.
    void criaLocalizar(QToolBar* barra);
    // Once the form is filled and the prices kept are known: the search, nothing to undo.
    void inicia(const QString& numeroDaCotacao);
    // While the program fills the form its changes are shown, neither totalled nor undone.
    void setPreenchendo(bool preenchendo) { m_preenchendo = preenchendo; }
    void atualizaResumo();
    // The room left in the remarks, once most of what the buyer's reader takes is used.
    void atualizaEspaco();

    void Desfazer();
    void Refazer();
    void Copiar();
    void Colar();
    // Delete or Backspace on the grid: the selected prices and remarks cleared, one step to undo.
    void LimparCelulas();
    void Localizar();
    void ExportarPlanilha();
    void ImportarPlanilha();
    void PreencherUltimosPrecos();
    // The supplier's own price table: kept in the local database, then used for any quotation.
    void ImportarTabelaDePrecos();
    void PreencherComTabelaDePrecos();
    // How many prices the table holds, from which file and when; and clearing it.
    void VerTabelaDePrecos();
    void ApagarTabelaDePrecos();
    // The keyboard's way into the grid: the price of the first product not priced yet.
    void IrParaPrimeiroSemPreco();

protected:
    // Esc in the search field empties it.
    bool eventFilter(QObject* objeto, QEvent* evento) override;

private:
    void mostra(const QList<proposta::Alteracao>& feitas);
    // Changes of the answer made by a command: the cell being edited committed first.
    void aplica(const QList<proposta::Alteracao>& alteracoes);
    // Where the price table kept here came from; nothing, said to the supplier, when none is.
    std::optional<banco::TabelaDePrecos::Origem> tabelaGuardada();
    void filtra(const QString& texto);
    // The price cell of `produto` (-1: the first product shown) current, the grid focused.
    void vaiPara(int produto);
    QVariant decoracao(int linha, int coluna, int papel) const;
    void avisa(const QString& texto);
    // A message on the status bar's message line: for ten seconds, or until another when `fica`.
    void informa(const QString& texto, bool fica = false);

public:
    BarraDaCotacao& barra() { return *m_barra; }

private:
    QMainWindow* m_janela;
    proposta::Proposta& m_proposta;
    grade::ControleGrade* m_produtos;
    banco::BancoLocal* m_banco;
    QString m_numero;
    QUndoStack* m_desfazer = nullptr;
    bool m_desfazendo = false;
    bool m_preenchendo = false;
    BarraDaCotacao* m_barra = nullptr;
    QLineEdit* m_localizar = nullptr;
    QStringList m_chavesDeBusca; // per product
    QString m_atalhoDaTabela;    // the key of the fill from the table, as its menu shows it
};

} // namespace cotacao
