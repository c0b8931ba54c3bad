// The reprint of an answer sent, from the list of answers, as the program wires it: in a process
// of its own (each class runs alone), where no quotation form was ever opened.
#include "tests/programa/tst_reimpressao.h"

#include "banco/BancoLocal.h"
#include "banco/Recibos.h"
#include "cotacao/RelatorioCotacao.h"
#include "formatos/Lista.h"
#include "grade/Automacao.h"
#include "grade/ControleGrade.h"
#include "grade/ImpressaoGrade.h"
#include "janelas/Caixas.h"
#include "login/FormMinhasCotacoes.h"
#include "nucleo/Cp1252.h"
#include "tests/support/DiretorioTeste.h"

#include <QCryptographicHash>
#include <QPushButton>
#include <QScopeGuard>
#include <QTableView>
#include <QTest>

// From the list to the PDF: the preview gets the report's whole heading, and no error box shows
// on the way (the report's titles are objects of the grid, made free-standing).
void Reimpressao::daListaAoPdf() {
    janelas::Caixas::setModoDeTeste(true);
    DiretorioTeste programa;
    banco::BancoLocal banco(programa.arquivo("Cotacao.db"));
    const QString numero = "2026000000012345", cnpj = "11222333000181";
    programa.escrever(numero + ".cot",
                      "[Geral]\r\nSolicitante=Mercado\r\nSenhaCotacao=1\r\nListaProdutos=" +
                          nucleo::ParaCp1252(formatos::EscreveLista(
                              {"1001", "789", "AÇÚCAR 1KG", "120", "UN", "x"})) +
                          "\r\n");
    const QByteArray resposta = "[Geral]\r\nListaPrecosForn=[|4,50|]\r\nListaObsProdutos=[||]\r\n"
                                "ObsGeral=\r\nPrazoEntrega=30\r\nFormaPgto=28\r\n"
                                "PedidoMinimo=0,00\r\nValorFrete=0,00\r\n";
    programa.escrever(numero + cnpj + ".cot", resposta);
    banco::Recibo recibo{QDateTime::currentDateTime(),
                         numero,
                         cnpj,
                         numero + cnpj + ".cot",
                         resposta.size(),
                         QCryptographicHash::hash(resposta, QCryptographicHash::Sha256).toHex()};
    recibo.solicitante = "Mercado";
    recibo.cotados = 1;
    recibo.produtos = 1;
    recibo.total = 54000;
    QVERIFY(banco::Recibos(banco).registra(recibo));

    // As the program hands the grid's failed calls to the error box.
    QStringList erros;
    OLEAutoObject::aoFalhar([&](const Error& erro) {
        erros << erro.Description;
        return QVariant(false);
    });
    QStringList titulos;
    const QString pdf = programa.arquivo("reimpressa.pdf");
    grade::ControleGrade::setVisualizador([&](grade::ControleGrade& g, int) {
        for (const auto& t : g.relatorio().titulos)
            titulos << t.texto;
        QVERIFY(grade::SalvaPdfDoRelatorio(g.modelo()->dados(), g.relatorio(), pdf));
    });
    const auto restaura = qScopeGuard([] {
        grade::ControleGrade::setVisualizador({});
        OLEAutoObject::aoFalhar({});
    });

    login::FormMinhasCotacoes lista(nullptr, banco, {}, cotacao::ImprimeRespostaGuardada);
    lista.Show();
    auto* tabela = lista.findChild<QTableView*>("Lista");
    QVERIFY(tabela);
    tabela->setCurrentIndex(tabela->model()->index(0, 0));
    auto* imprimir = lista.findChild<QPushButton*>("Imprimir");
    QVERIFY(imprimir && imprimir->isEnabled());
    imprimir->click();

    QCOMPARE(erros, QStringList());
    QCOMPARE(titulos.size(), 9);
    QCOMPARE(titulos[2], "Cód. da cotação: " + numero + "||");
    QCOMPARE(titulos[3], "Solicitante: Mercado||");
    QCOMPARE(titulos[4], "Forma de pgto: 28||");
    QVERIFY(programa.ler("reimpressa.pdf").startsWith("%PDF"));
}
