// The product grid's model as Qt's checker sees it, and the one total the screen and the report
// show.
#include "tests/cotacao/tst_modelo.h"

#include "cotacao/RelatorioCotacao.h"
#include "grade/ControleGrade.h"
#include "grade/FlexCell.h"
#include "proposta/Proposta.h"
#include "tests/cotacao/Ambiente.h"

#include <QAbstractItemModelTester>
#include <QClipboard>
#include <QRandomGenerator>

using proposta::Campo;
using proposta::Proposta;

namespace {

// A number the report or the status bar shows ("1.234.567,89"), in cents, read without the
// program's own reading.
formatos::Centavos centavosMostrados(QString texto) {
    texto.remove(u'.');
    formatos::Centavos c = 0;
    for (const QChar ch : texto)
        if (ch.isDigit())
            c = c * 10 + (ch.unicode() - u'0');
    return c;
}

} // namespace

void ModeloDaGrade::init() {
    prepara();
}

void ModeloDaGrade::cleanup() {
    limpa();
}

// Qt's own checker watches the product grid's model while the supplier types, pastes, imports,
// undoes and the program fills it: every signal and index stays consistent, and the grid shows
// what the answer holds.
void ModeloDaGrade::consistente() {
    Ambiente a;
    FormCotacao& f = a.abrir();
    QAbstractItemModelTester verificador(a.grade()->model(),
                                         QAbstractItemModelTester::FailureReportingMode::QtTest);
    a.digitarNaCelula(1, 6, "2,5");
    a.digitarNaCelula(2, 7, "moido");
    QGuiApplication::clipboard()->setText("7\tx\n8\ty\n");
    a.grade()->setCurrentIndex(a.grade()->model()->index(1, 6));
    a.comando("Colar");
    a.comando("Desfazer");
    a.comando("Refazer");
    f.MListaProdutos.Cell(3, 6).Text("9,90"); // through the automation layer
    const formatos::Resposta r = f.proposta().resposta();
    QCOMPARE(r.precos, (QStringList{"2,5", "7", "9,90"}));
    QCOMPARE(r.observacoes, (QStringList{"", "x", "y"}));
    for (int linha = 1; linha <= 3; ++linha) {
        QCOMPARE(a.celula(linha, 6), r.precos[linha - 1]);
        QCOMPARE(a.celula(linha, 7), r.observacoes[linha - 1]);
    }
    a.comando("Desfazer");
    QCOMPARE(f.proposta().preco(2), "8");
    QCOMPARE(a.celula(3, 6), "8");
}

// On any answer the supplier sees one total: the report's "Valor total" is the sum of the
// subtotals it prints, and the status bar's total; each subtotal is quantity times price rounded
// half up to the cent. Random quantities (up to three decimals, to 10^9) and prices (up to two
// decimals, to 10^9), the half cents among them.
void ModeloDaGrade::umTotalEmTodaParte() {
    QRandomGenerator sorte(20261209);
    grade::ControleGrade controle;
    FlexCell relatorio(&controle);
    for (int rodada = 0; rodada < 300; ++rodada) {
        const bool grandes = rodada % 2;
        formatos::Cotacao c;
        QList<qint64> milesimos, centavos;
        const int n = rodada == 0 ? 5 : 1 + int(sorte.bounded(8));
        for (int i = 0; i < n; ++i) {
            // The first round is the issue's: 3 x 1,5 KG at 0,33 and 2 x 2,75 at 1,15.
            const qint64 q = rodada == 0 ? (i < 3 ? 1500 : 2750)
                                         : sorte.bounded(grandes ? qint64(1e12) : qint64(1e6));
            const qint64 v = rodada == 0 ? (i < 3 ? 33 : 115)
                                         : sorte.bounded(grandes ? qint64(1e11) : qint64(1e5));
            milesimos << q;
            centavos << v;
            const QString quantidade = QString::number(q / 1000) + u',' +
                                       QString::number(q % 1000).rightJustified(3, u'0');
            c.produtos.append({QString::number(i), {}, "P", quantidade, "KG"});
        }
        Proposta p;
        p.inicia(c);
        formatos::Centavos esperado = 0;
        for (int i = 0; i < n; ++i) {
            p.define(i, Campo::Preco,
                     QString::number(centavos[i] / 100) + u',' +
                         QString::number(centavos[i] % 100).rightJustified(2, u'0'));
            esperado += (formatos::Centavos(milesimos[i]) * centavos[i] + 500) / 1000;
        }
        cotacao::IniciaRelatorio(relatorio);
        cotacao::PreencheRelatorio(relatorio, p);
        const grade::DadosGrade& dados = controle.modelo()->dados();
        formatos::Centavos impressos = 0;
        for (int linha = 2; linha < 2 + n; ++linha)
            impressos += centavosMostrados(dados.textoMostrado(linha, 7));
        const formatos::Centavos valorTotal = centavosMostrados(dados.textoMostrado(n + 3, 6));
        const QString resumo = p.resumo();
        const qsizetype total = resumo.indexOf("Total: ") + 7;
        const formatos::Centavos naBarra =
            centavosMostrados(resumo.mid(total, resumo.indexOf(u' ', total) - total));
        if (rodada == 0)
            QCOMPARE(formatos::MostraCentavos(p.centavos()), "7,82");
        QVERIFY2(impressos == esperado && valorTotal == esperado && naBarra == esperado &&
                     p.centavos() == esperado,
                 qPrintable(QString("rodada %1: %2").arg(rodada).arg(resumo)));
    }
}
