// The quotation form's commands driven as a supplier drives them: paste, find, keys, the
// spreadsheets and the price table.
#include "tests/cotacao/tst_comandos.h"

#include "banco/PrecosEnviados.h"
#include "banco/Rascunhos.h"
#include "banco/TabelaDePrecos.h"
#include "cotacao/RelatorioCotacao.h"
#include "janelas/EscolhaDeArquivo.h"
#include "nucleo/Ini.h"
#include "proposta/Colagem.h"
#include "proposta/Envio.h"
#include "proposta/Importacao.h"
#include "proposta/Planilha.h"
#include "proposta/PrecosDaTabela.h"
#include "proposta/Textos.h"
#include "tests/cotacao/Ambiente.h"
#include "tests/support/Certo.h"

#include <QClipboard>
#include <QLabel>
#include <QProcess>
#include <QScopeGuard>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QToolTip>
#include <QUrl>
#include <QWidgetAction>

#include <clocale>

using namespace grade;
using namespace janelas;
using namespace nucleo;

void ComandosDoForm::init() {
    prepara();
}

void ComandosDoForm::cleanup() {
    limpa();
}

// What the server writes is shown as it stands: markup in the requester's name is text, never
// bold type or an image fetched from a path it names.
void ComandosDoForm::textoDeForaNaoEMarcacao() {
    Ambiente a;
    const QString solicitante = "<b>Mercado</b> <img src=\"file:///etc/passwd\">";
    a.programa.escrever(kNumero + ".cot",
                        "[Geral]\r\nSolicitante=" + nucleo::ParaCp1252(solicitante) +
                            "\r\nSenhaCotacao=1\r\nListaProdutos=" +
                            nucleo::ParaCp1252(formatos::EscreveLista(kTres)) + "\r\n");
    FormCotacao& f = a.abrir();
    const auto* rotulo = f.findChild<QLabel*>("MSolicitante");
    QVERIFY(rotulo);
    QCOMPARE(rotulo->textFormat(), Qt::PlainText);
    QCOMPARE(rotulo->text(), solicitante);
}

void ComandosDoForm::colarEDesfazer() {
    Ambiente a;
    FormCotacao& f = a.abrir();
    a.digitarNaCelula(1, 6, "1"); // a step before the paste
    const QRect r = a.grade()->visualRect(a.grade()->model()->index(0, 6));
    QTest::mouseClick(a.grade()->viewport(), Qt::LeftButton, {}, r.center());
    QGuiApplication::clipboard()->setText("2,5\tcom gelo\n3,75\n-1.000\n");
    QTest::keyClick(a.grade(), Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(a.celula(1, 6), "2,5");
    QCOMPARE(a.celula(1, 7), "com gelo");
    QCOMPARE(a.celula(2, 6), "3,75");
    QCOMPARE(a.celula(3, 6), "-1.000"); // in its cell, red, to correct
    QCOMPARE(a.grade()->model()->index(2, 6).data(Qt::BackgroundRole).value<QColor>(),
             QColor(255, 205, 210));
    QCOMPARE(mensagem(f), "3 valores colados, 1 recusado. \"-1.000\" não é um valor (use só "
                          "números, com vírgula ou ponto antes dos centavos, como 1.234,56 ou "
                          "R$ 1.234,56).");
    QVERIFY(f.lModificado);
    // More than the grid takes at once is refused whole, and says so.
    QGuiApplication::clipboard()->setText(QString(proposta::kMaximoDaColagem + 1, u'\t'));
    Caixas::esqueceMostradas();
    QTest::keyClick(a.grade(), Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(mensagens(), QStringList{proposta::textos::ColagemGrandeDemais});
    QCOMPARE(a.celula(2, 6), "3,75");

    QTest::keyClick(a.grade(), Qt::Key_Z, Qt::ControlModifier); // the whole paste, one step
    QCOMPARE(a.celula(1, 6), "1");
    QCOMPARE(a.celula(1, 7), "");
    QCOMPARE(a.celula(2, 6), "0,00");
    QCOMPARE(a.celula(3, 6), "0,00");
    QTest::keyClick(a.grade(), Qt::Key_Z, Qt::ControlModifier); // then the typing
    QCOMPARE(a.celula(1, 6), "0,00");
    QTest::keyClick(a.grade(), Qt::Key_Y, Qt::ControlModifier);
    QTest::keyClick(a.grade(), Qt::Key_Y, Qt::ControlModifier);
    QCOMPARE(a.celula(2, 6), "3,75");
    QTRY_COMPARE(teste::Certo(banco::Rascunhos(a.banco).le(kNumero, kCNPJ)).size(), 4);

    // Copying what is selected gives a block a spreadsheet takes.
    a.grade()->selectionModel()->select(
        QItemSelection(a.grade()->model()->index(0, 6), a.grade()->model()->index(1, 7)),
        QItemSelectionModel::ClearAndSelect);
    QTest::keyClick(a.grade(), Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QGuiApplication::clipboard()->text(), "2,5\tcom gelo\n3,75\t\n");
}

void ComandosDoForm::localizarEDigitar() {
    Ambiente a;
    FormCotacao& f = a.abrir();
    QTest::keyClick(&f, Qt::Key_F, Qt::ControlModifier);
    auto* campo = f.findChild<QLineEdit*>("Localizar");
    QCOMPARE(QApplication::focusWidget(), campo);
    QTest::keyClicks(campo, "pao frances");
    QVERIFY(!f.lModificado); // searching changes nothing of the answer
    QVERIFY(a.grade()->isRowHidden(0));
    QVERIFY(a.grade()->isRowHidden(1));
    QVERIFY(!a.grade()->isRowHidden(2));
    QCOMPARE(mensagem(f), "1 de 3 produtos mostrados.");
    // The only row shown is the third product: the price lands there.
    a.digitarNaCelula(3, 6, "8,5");
    QCOMPARE(a.celula(3, 6), "8,5");
    QCOMPARE(a.celula(1, 6), "0,00");
    QTest::mouseClick(campo, Qt::LeftButton);
    QTest::keyClick(campo, Qt::Key_Escape);
    QCOMPARE(campo->text(), "");
    QVERIFY(!a.grade()->isRowHidden(0));
    QTest::keyClicks(campo, "789"); // a barcode finds its product too
    QVERIFY(!a.grade()->isRowHidden(0));
    QVERIFY(a.grade()->isRowHidden(2));
    QTest::keyClicks(campo, "9");
    QCOMPARE(mensagem(f), "Nenhum produto encontrado.");
    QTest::keyClick(campo, Qt::Key_Escape);
    QCOMPARE(mensagem(f), "");
}

// The grid's small frictions: Delete and Backspace clear what is selected as one step to undo;
// Esc in Localizar shows every product again; Ctrl+G says when the search hides products still
// to price; a message shows whole beside the totals; a red cell's reason wraps.
void ComandosDoForm::teclasDaGrade() {
    Ambiente a;
    FormCotacao& f = a.abrir();
    a.digitarNaCelula(1, 6, "2,5");
    a.digitarNaCelula(1, 7, "promocao ate dia 20");
    a.digitarNaCelula(2, 6, "1.234"); // thousands or decimals? red
    auto* grade = a.grade();
    grade->setFocus();
    grade->selectionModel()->select(
        QItemSelection(grade->model()->index(0, 6), grade->model()->index(0, 7)),
        QItemSelectionModel::ClearAndSelect);
    QTest::keyClick(grade, Qt::Key_Delete);
    QCOMPARE(a.celula(1, 6), "0,00");
    QCOMPARE(a.celula(1, 7), "");
    grade->setCurrentIndex(grade->model()->index(1, 6));
    QTest::keyClick(grade, Qt::Key_Backspace);
    QCOMPARE(a.celula(2, 6), "0,00");
    QCOMPARE(a.celula(2, 1), "1002"); // the codes are not the supplier's to clear
    a.comando("Desfazer");
    QCOMPARE(a.celula(2, 6), "1.234");
    a.comando("Desfazer"); // both cells of the first Delete at once
    QCOMPARE(a.celula(1, 6), "2,5");
    QCOMPARE(a.celula(1, 7), "promocao ate dia 20");

    // The red cell's reason, in a tip that wraps at a readable width.
    const QString dica = grade->model()->index(1, 6).data(Qt::ToolTipRole).toString();
    QVERIFY2(Qt::mightBeRichText(dica) && dica.contains(proposta::textos::PrecoACorrigir),
             qPrintable(dica));
    QToolTip::showText(grade->mapToGlobal(QPoint(10, 10)), dica, grade);
    const auto balao = []() -> QLabel* {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->inherits("QTipLabel") && w->isVisible())
                return qobject_cast<QLabel*>(w);
        return nullptr;
    };
    QTRY_VERIFY(balao());
    QVERIFY(balao()->wordWrap());
    QVERIFY2(balao()->width() < 600, qPrintable(QString::number(balao()->width())));
    QToolTip::hideText();

    // Esc in Localizar; Ctrl+G while the search hides what is left to price.
    QTest::keyClick(&f, Qt::Key_F, Qt::ControlModifier);
    auto* campo = f.findChild<QLineEdit*>("Localizar");
    QTest::keyClicks(campo, "acucar");
    QVERIFY(a.grade()->isRowHidden(1));
    a.comando("IrParaSemPreco");
    QCOMPARE(mensagem(f), "Todos os produtos mostrados têm preço; 2 produtos sem preço estão "
                          "ocultos pela busca (Esc em Localizar mostra todos).");
    QTest::keyClick(campo, Qt::Key_Escape);
    QCOMPARE(campo->text(), "");
    QVERIFY(!a.grade()->isRowHidden(1));
    a.comando("IrParaSemPreco");
    QCOMPARE(grade->currentIndex(), grade->model()->index(1, 6));

    // A long message shows whole, on more lines, and never under the totals.
    Caixas::esqueceMostradas();
    QGuiApplication::clipboard()->setText("abc\n");
    grade->setCurrentIndex(grade->model()->index(2, 6));
    a.comando("Colar");
    auto* linha = f.findChild<QLabel*>("Mensagem");
    auto* resumo = f.findChild<QLabel*>("Resumo");
    QVERIFY(linha && resumo);
    QTRY_VERIFY(linha->height() >= linha->heightForWidth(linha->width()));
    // Longer than the room beside the totals: on two lines or more, not cut.
    QVERIFY2(linha->heightForWidth(linha->width()) > linha->fontMetrics().height() * 3 / 2,
             qPrintable(QString("%1 px wide").arg(linha->width())));
    QVERIFY(linha->heightForWidth(linha->width()) > linha->fontMetrics().height());
    QVERIFY(linha->isVisible() && resumo->isVisible());
    QVERIFY(!linha->geometry().intersects(resumo->geometry()));
    // A menu's tip goes there too, and the message comes back after it.
    QStatusTipEvent dicaDoMenu(proposta::textos::AjudaColar);
    QApplication::sendEvent(&f, &dicaDoMenu);
    // Whole on its two lines, or as much as they hold and the whole of it in the tip.
    QVERIFY2(linha->text() == proposta::textos::AjudaColar ||
                 (linha->text().endsWith(u'…') &&
                  linha->toolTip() == proposta::textos::AjudaColar &&
                  proposta::textos::AjudaColar.startsWith(linha->text().chopped(1))),
             qPrintable(linha->text()));
    QVERIFY(linha->height() >= linha->heightForWidth(linha->width()));
    QStatusTipEvent semDica(QString{});
    QApplication::sendEvent(&f, &semDica);
    QVERIFY(linha->text().startsWith("0 valores colados, 1 recusado."));
    QCOMPARE(f.statusBar()->currentMessage(), "");
}

// The keyboard's way into the grid: Enter or Down in Localizar goes to the price of the first
// product found, Tab walks the price and remark cells only, and "Ir para o primeiro sem preço"
// (Ctrl+G) finds what is left to price.
void ComandosDoForm::caminhoDoTeclado() {
    Ambiente a;
    FormCotacao& f = a.abrir();
    QTest::keyClick(&f, Qt::Key_F, Qt::ControlModifier);
    auto* campo = f.findChild<QLineEdit*>("Localizar");
    QTest::keyClicks(campo, "cafe");
    QTest::keyClick(campo, Qt::Key_Return);
    auto* grade = a.grade();
    const auto indice = [&](int linha, int coluna) {
        return grade->model()->index(linha - 1, coluna);
    };
    QCOMPARE(QApplication::focusWidget(), grade);
    QCOMPARE(grade->currentIndex(), indice(2, 6));
    QTest::keyClick(grade, Qt::Key_3); // typing opens the cell's editor, which takes the rest
    QTest::keyClicks(QApplication::focusWidget(), ",5");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QTRY_COMPARE(a.celula(2, 6), "3,5");
    QTest::mouseClick(campo, Qt::LeftButton);
    QTest::keyClick(campo, Qt::Key_Escape);
    QTest::keyClick(campo, Qt::Key_Down); // nothing searched: the first product
    QCOMPARE(grade->currentIndex(), indice(1, 6));

    QTest::keyClick(grade, Qt::Key_Tab);
    QCOMPARE(grade->currentIndex(), indice(1, 7));
    QTest::keyClick(grade, Qt::Key_Tab); // over the PLU, barcode, description, quantity, unit
    QCOMPARE(grade->currentIndex(), indice(2, 6));
    QTest::keyClick(grade, Qt::Key_Backtab);
    QCOMPARE(grade->currentIndex(), indice(1, 7));

    auto* ir = f.findChild<QAction*>("IrParaSemPreco");
    QVERIFY(ir && ir->isEnabled());
    QCOMPARE(ir->shortcut(), QKeySequence("Ctrl+G"));
    ir->trigger();
    QCOMPARE(grade->currentIndex(), indice(1, 6)); // the first is still unpriced
    a.digitarNaCelula(1, 6, "2");
    ir->trigger();
    QCOMPARE(grade->currentIndex(), indice(3, 6));
}

void ComandosDoForm::resumoEAcessibilidade() {
    Ambiente a;
    FormCotacao& f = a.abrir();
    auto* resumo = f.findChild<QLabel*>("Resumo");
    QCOMPARE(resumo->text(), "Cotados: 0 de 3  |  Total: 0,00");
    a.digitarNaCelula(1, 6, "10,5"); // 120 × 10,50
    a.digitarNoCampo("MPedidoMinimo", "2000");
    QCOMPARE(resumo->text(),
             "Cotados: 1 de 3  |  Total: 1.260,00  |  Abaixo do pedido mínimo (faltam 740,00)");
    a.digitarNaCelula(2, 6, "20");
    QCOMPARE(resumo->text(), "Cotados: 2 de 3  |  Total: 2.220,00  |  Pedido mínimo atingido");
    // The grid groups the thousands of what it shows; the cell keeps what was typed.
    QCOMPARE(a.grade()->model()->index(1, 6).data().toString(), "20,00");
    f.MListaProdutos.Cell(1, 6).Text("1234,5");
    QCOMPARE(a.grade()->model()->index(0, 6).data().toString(), "1.234,50");
    QCOMPARE(a.grade()->model()->index(0, 6).data(Qt::EditRole).toString(), "1234,5");
    // Unpriced rows are told apart; screen readers hear the labels.
    QVERIFY(a.grade()->model()->index(2, 3).data(Qt::BackgroundRole).isValid());
    QVERIFY(!a.grade()->model()->index(0, 3).data(Qt::BackgroundRole).isValid());
    QCOMPARE(f.findChild<QLineEdit*>("MPedidoMinimo")->accessibleName(), "Pedido mínimo");
    QCOMPARE(f.findChild<QLineEdit*>("MObservacoes")->accessibleName(),
             "Observações do fornecedor");
    // Every command has a status tip; ours have a shortcut too, in submenus as well. Each,
    // menus and tool bar buttons alike, has a name of its own that finds it.
    QSet<QString> nomes;
    const auto nomeado = [&](QAction* acao) {
        QVERIFY2(!acao->objectName().isEmpty(), qPrintable(acao->text()));
        QVERIFY2(f.findChildren<QAction*>(acao->objectName()) == QList<QAction*>{acao},
                 qPrintable(acao->objectName()));
        nomes << acao->objectName();
    };
    std::function<void(QMenu*, bool)> confere = [&](QMenu* menu, bool atalho) {
        for (QAction* acao : menu->actions()) {
            if (acao->isSeparator())
                continue;
            nomeado(acao);
            QVERIFY2(!acao->statusTip().isEmpty(), qPrintable(acao->text()));
            if (acao->menu())
                confere(acao->menu(), true);
            else if (atalho)
                QVERIFY2(!acao->shortcut().isEmpty(), qPrintable(acao->text()));
        }
    };
    for (QAction* menu : f.menuBar()->actions()) {
        nomeado(menu);
        confere(menu->menu(), menu->objectName() == "MenuEditar");
    }
    for (QAction* acao : f.findChild<QToolBar*>()->actions())
        if (!acao->isSeparator() && !qobject_cast<QWidgetAction*>(acao))
            nomeado(acao);
    QVERIFY(nomes.contains("Enviar") && nomes.contains("Desfazer") && nomes.contains("VerTabela"));
}

// Two quotations in a row with the same products: the second starts from the first's prices,
// and a price ten times off asks before it goes.
void ComandosDoForm::ultimosPrecos() {
    Ambiente a;
    a.abrir();
    a.digitarNaCelula(2, 6, "12,5");
    Caixas::responde(proposta::textos::Enviada, Caixas::Ok);
    Caixas::responde(proposta::textos::PerguntaImprimir, 2);
    a.comando("Enviar");
    QTRY_VERIFY(a.form.isNull());
    QCOMPARE(Caixas::respostasPendentes(), QStringList());

    // A price table of an earlier day prices the same product: the tip and the question show
    // both prices, each with its date.
    proposta::PlanoDaTabela plano;
    plano.itens = {{"788", "1002", "11,00", ""}};
    teste::Certo(proposta::ImportaTabelaDePrecos(a.banco, plano, "tabela.csv",
                                                 QDateTime(QDate(2026, 11, 30), QTime(9, 0))));
    const QString hoje = DateToText(QDate::currentDate());
    const QString diaDaTabela = DateToText(QDate(2026, 11, 30));

    const QString outra = "2026000000054321";
    a.programa.escrever(outra + ".cot", teste::cotacao(kTres));
    Caixas::esqueceMostradas();
    FormCotacao& f = a.abrir(outra);
    QCOMPARE(a.grade()->model()->index(1, 6).data(Qt::ToolTipRole).toString(),
             Qt::convertFromPlainText("Último preço enviado: 12,50 em " + hoje +
                                          "\nTabela de preços: 11,00 (importada em " + diaDaTabela +
                                          ")",
                                      Qt::WhiteSpaceNormal));
    a.comando("PreencherUltimosPrecos");
    QCOMPARE(a.celula(2, 6), "12,50");
    QCOMPARE(a.celula(1, 6), "0,00");
    QCOMPARE(mensagem(f), "1 preço preenchido com os últimos preços enviados.");

    a.digitarNaCelula(2, 6, "125"); // a comma forgotten
    Caixas::responde(inicio(proposta::textos::SegundaOlhada), Caixas::Nao);
    a.comando("Enviar");
    QCOMPARE(mensagens().size(), 1);
    QVERIFY2(mensagens()[0].contains("CAFÉ 500G: 125,00 (último enviado: 12,50 em " + hoje +
                                     "; tabela de preços: 11,00, importada em " + diaDaTabela +
                                     ")"),
             qPrintable(mensagens()[0]));
    QCOMPARE(Caixas::respostasPendentes(), QStringList());
    QVERIFY(!a.servidor.existe(outra + kCNPJ + ".cot")); // "Não": nothing sent
    QVERIFY(f.isVisible());
}

// The supplier's price table, imported once: a 3,500-product quotation filled by barcode and
// PLU, by the barcode alone where the table has no PLU, never by a line of another barcode; typed
// prices kept; one step to undo; the tip and the second look know the table's price; the table
// is still there for the next quotation.
void ComandosDoForm::tabelaDePrecos() {
    QStringList produtos;
    QByteArray csv = "EAN;PLU;Pre\xe7o\r\n";
    QStringList esperados;
    int semTabela = 0, identicos = 0;
    for (int i = 0; i < 3500; ++i) {
        const QString plu = QString::number(100000 + i);
        const QString barras = i % 5 == 0 ? QString() : QString::number(7890000000000LL + i);
        produtos << plu << barras << QString("PRODUTO %1").arg(i) << "2"
                 << "UN"
                 << "";
        const QString preco = QString("%1,25").arg(i % 500 + 1);
        const bool outroCodigo = !barras.isEmpty() && i % 7 == 0;
        if (i % 13 == 3 || outroCodigo) { // not in the table
            esperados << "0,00";
            ++semTabela;
            if (outroCodigo) // another barcode with this PLU: another product
                csv += "999" + barras.toLatin1() + ";" + plu.toLatin1() + ";5,00\r\n";
            continue;
        }
        esperados << preco;
        if (!barras.isEmpty() && i % 11 == 1) // the PLU's line says otherwise: the barcode wins
            csv += ";" + plu.toLatin1() + ";99,99\r\n";
        if (barras.isEmpty()) {
            csv += ";" + plu.toLatin1() + ";" + preco.toLatin1() + "\r\n";
            ++identicos;
        } else {
            csv += barras.toLatin1() + ";;" + preco.toLatin1() + "\r\n";
        }
    }
    Ambiente a(produtos);
    FormCotacao& f = a.abrir();
    a.comando("PreencherComTabela");
    QCOMPARE(mensagens(), QStringList{proposta::textos::SemTabela});
    Caixas::esqueceMostradas();

    a.programa.escrever("tabela.csv", csv);
    ProximoArquivo(a.programa.arquivo("tabela.csv"));
    Caixas::responde(proposta::textos::PerguntaImportarTabela, Caixas::Sim);
    a.comando("ImportarTabela");
    QCOMPARE(mensagens().size(), 1); // the summary, confirmed
    QCOMPARE(Caixas::respostasPendentes(), QStringList());
    // It says how much of this quotation the table prices, and how to fill from it.
    QVERIFY2(mensagens()[0].contains(QString("Produtos desta cotação com preço na tabela: %1 de "
                                             "3.500\n")
                                         .arg(nucleo::ComMilhares(3500 - semTabela, 0))) &&
                 mensagens()[0].contains("Preencher com a tabela de preços\" (Ctrl+Shift+L)"),
             qPrintable(mensagens()[0]));
    a.digitarNaCelula(2, 6, "7,5"); // typed: the table does not replace it
    esperados[1] = "7,5";
    a.comando("PreencherComTabela");
    const QString hoje = QDate::currentDate().toString("dd/MM/yyyy");
    const QString hojeComoTexto = DateToText(QDate::currentDate());
    const int preenchidos = 3500 - semTabela - 1;
    QCOMPARE(mensagem(f),
             QString("%1 preços preenchidos pela tabela de %2 (%3 pelo código de barras e PLU, %4 "
                     "só pelo código de barras, 0 só pelo PLU); %5 produtos sem preço na tabela.")
                 .arg(preenchidos)
                 .arg(hoje)
                 .arg(identicos)
                 .arg(preenchidos - identicos)
                 .arg(semTabela));
    QCOMPARE(f.proposta().resposta().precos, esperados);
    QCOMPARE(a.celula(3500, 6), esperados[3499]);
    QCOMPARE(a.grade()->model()->index(0, 6).data(Qt::ToolTipRole).toString(),
             Qt::convertFromPlainText("Tabela de preços: 1,25 (importada em " + hojeComoTexto + ")",
                                      Qt::WhiteSpaceNormal));
    a.comando("Desfazer"); // the whole fill, at once
    QCOMPARE(f.proposta().cotados(), 1);
    a.comando("Refazer");
    QCOMPARE(f.proposta().resposta().precos, esperados);

    // Ten times the table's price asks before sending.
    a.digitarNaCelula(3, 6, "300");
    Caixas::esqueceMostradas();
    Caixas::responde(inicio(proposta::textos::SegundaOlhadaComTabela), Caixas::Nao);
    a.comando("Enviar");
    QCOMPARE(mensagens().size(), 1);
    QVERIFY2(mensagens()[0].contains("PRODUTO 2: 300,00 (tabela de preços: 3,25, importada em " +
                                     hojeComoTexto + ")"),
             qPrintable(mensagens()[0]));
    QCOMPARE(Caixas::respostasPendentes(), QStringList());

    // The next form finds the table in the database.
    f.lModificado = false;
    a.comando("Sair");
    QTRY_VERIFY(a.form.isNull());
    Caixas::esqueceMostradas();
    Caixas::responde(inicio(proposta::textos::RecuperarRascunho), 2); // the draft is not recovered
    FormCotacao& outro = a.abrir();
    QCOMPARE(Caixas::respostasPendentes(), QStringList());
    a.comando("PreencherComTabela");
    QCOMPARE(outro.proposta().resposta().precos, [&] {
        QStringList s = esperados;
        s[1] = "2,25"; // nothing typed this time
        return s;
    }());

    // What the table is, and clearing it: "Não" keeps it, "Sim" clears it.
    Caixas::esqueceMostradas();
    auto* ver = outro.findChild<QAction*>("VerTabela");
    auto* apagar = outro.findChild<QAction*>("ApagarTabela");
    QVERIFY(ver && apagar && ver->isEnabled() && apagar->isEnabled());
    ver->trigger();
    QCOMPARE(mensagens().size(), 1);
    const int linhasDaTabela = int(csv.count('\n')) - 1; // all but the heading
    QVERIFY2(
        mensagens()[0].startsWith(
            QString("A tabela de preços guardada neste computador tem %1 preços, importados "
                    "de tabela.csv em %2 às ")
                .arg(nucleo::ComMilhares(linhasDaTabela, 0), DateToText(QDate::currentDate()))),
        qPrintable(mensagens()[0]));
    Caixas::responde(inicio(proposta::textos::PerguntaApagarTabela.varios), Caixas::Nao);
    apagar->trigger();
    QCOMPARE(Caixas::respostasPendentes(), QStringList());
    QVERIFY(teste::Certo(banco::TabelaDePrecos(a.banco).origem()));
    Caixas::esqueceMostradas();
    Caixas::responde(inicio(proposta::textos::PerguntaApagarTabela.varios), Caixas::Sim);
    apagar->trigger();
    QCOMPARE(Caixas::respostasPendentes(), QStringList());
    QVERIFY(!teste::Certo(banco::TabelaDePrecos(a.banco).origem()));
    QCOMPARE(mensagem(outro), proposta::textos::TabelaApagada);
    Caixas::esqueceMostradas();
    a.comando("PreencherComTabela");
    QCOMPARE(mensagens(), QStringList{proposta::textos::SemTabela});
}

// An answer reprinted from the list of answers: the report is that of the files kept here.
void ComandosDoForm::imprimeRespostaGuardada() {
    Ambiente a;
    a.abrir();
    a.digitarNaCelula(2, 6, "12,5");
    Caixas::responde(proposta::textos::Enviada, Caixas::Ok);
    Caixas::responde(proposta::textos::PerguntaImprimir, 2);
    a.comando("Enviar");
    QTRY_VERIFY(a.form.isNull());
    QCOMPARE(Caixas::respostasPendentes(), QStringList());
    const auto recibo = teste::Certo(banco::Recibos(a.banco).ultimo(kNumero, kCNPJ));
    QVERIFY(recibo);
    QCOMPARE(recibo->total, 60000); // 12,50 x 48
    QStringList linhas;
    ControleGrade::setVisualizador([&](ControleGrade& grade, int) {
        const DadosGrade& d = grade.modelo()->dados();
        for (int l = 2; l <= 4; ++l)
            linhas << d.celula(l, 6).texto + " " + d.celula(l, 7).texto.section(u',', 0, 0);
        linhas << grade.relatorio().nomeDocumento;
    });
    const auto restaura = qScopeGuard([] { ControleGrade::setVisualizador({}); });
    cotacao::ImprimeRespostaGuardada(*recibo, a.programa.ler(kResposta));
    QCOMPARE(linhas, (QStringList{"0,00 0", "12,50 600", "0,00 0", kNumero}));

    QVERIFY(QFile::remove(a.programa.arquivo(kNumero + ".cot"))); // the quotation's file is gone
    Caixas::esqueceMostradas();
    linhas.clear();
    cotacao::ImprimeRespostaGuardada(*recibo, a.programa.ler(kResposta));
    QVERIFY(linhas.isEmpty());
    QCOMPARE(mensagens().size(), 1);
    QVERIFY(mensagens()[0].startsWith("O arquivo da cotação " + kNumero));
}

// A refused spreadsheet says why and changes nothing; a cell longer than a spreadsheet takes
// stops the export with its row named.
// Every file dialog starts where the last file was chosen, whichever command chose it; a
// cancelled dialog changes nothing.
void ComandosDoForm::umaPastaParaTodos() {
    Ambiente a;
    a.abrir();
    DiretorioTeste outra;
    ProximoArquivo(outra.arquivo("exportada.xlsx"));
    a.comando("ExportarPlanilha");
    QVERIFY(QFile::exists(outra.arquivo("exportada.xlsx")));
    QCOMPARE(PastaDosArquivos(), QFileInfo(outra.path()).absoluteFilePath());
    a.comando("ImportarPlanilha"); // cancelled
    QCOMPARE(PastaDosArquivos(), QFileInfo(outra.path()).absoluteFilePath());
    a.programa.escrever("t.csv", "EAN;Pre\xe7o\r\n789;2,00\r\n");
    ProximoArquivo(a.programa.arquivo("t.csv"));
    Caixas::responde(proposta::textos::PerguntaImportarTabela, Caixas::Nao);
    a.comando("ImportarTabela");
    QCOMPARE(PastaDosArquivos(), QFileInfo(a.programa.path()).absoluteFilePath());
}

void ComandosDoForm::planilhaRecusada() {
    Ambiente a;
    FormCotacao& f = a.abrir();
    a.digitarNaCelula(1, 6, "2,5");
    a.programa.escrever("p.csv",
                        "PLU;Pre\xe7o\r\n1002;3\r\n1003;" + QByteArray(70000, '4') + "\r\n");
    ProximoArquivo(a.programa.arquivo("p.csv"));
    a.comando("ImportarPlanilha");
    QCOMPARE(mensagens().size(), 1);
    QVERIFY(mensagens()[0].endsWith("Motivo: há uma linha com mais de 64 KB."));
    QCOMPARE(a.celula(1, 6), "2,5");
    QCOMPARE(a.celula(2, 6), "0,00");

    f.MListaProdutos.Cell(3, 7).Text(QString(40000, 'x'));
    ProximoArquivo(a.programa.arquivo("p.xlsx"));
    a.comando("ExportarPlanilha");
    QCOMPARE(mensagens().size(), 2);
    QCOMPARE(mensagens()[1], "A linha 4 da planilha tem um texto maior do que uma célula comporta "
                             "(32.767 caracteres). Nada foi gravado.");
    QVERIFY(!QFile::exists(a.programa.arquivo("p.xlsx")));
}
