#include "formatos/Quantia.h"
#include "grade/ControleGrade.h"
#include "grade/FlexCell.h"
#include "grade/ObjetosGrade.h"
#include "janelas/Caixas.h"
#include "nucleo/Erro.h"
#include "nucleo/Regional.h"
#include "tests/support/TestMainJanelas.h"

#include <QInputMethodEvent>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>

using namespace grade;
using namespace janelas;
using namespace nucleo;

namespace {

// A product grid laid out as the quotation form lays it out, with three rows.
struct GradeDeProdutos {
    ControleGrade controle;
    FlexCell grade{&controle};

    GradeDeProdutos() {
        grade.Cols(8);
        grade.Rows(1);
        const QStringList titulos{"",      "PLU",   "Cód. de barras", "Descrição",
                                  "Qtde.", "Unid.", "Preço R$",       "Observações do produto"};
        for (int c = 0; c < 8; ++c) {
            grade.Cell(0, c).Text(titulos[c]);
            grade.Column(c).Locked(c < 6);
            grade.Column(c).Width(c == 0 ? 0 : 60);
        }
        for (int c : {4, 6}) {
            grade.Column(c).Alignment(14);
            grade.Column(c).Mask(5);
            grade.Column(c).DecimalLength(2);
            grade.Column(c).FormatString("##,##0.00");
        }
        controle.modelo()->dados().coluna(4).leitura = Leitura::Quantidade;
        // The amount rule, as the quotation form gives it to its grid.
        controle.modelo()->setValidadorNumerico([](QObject* dono) {
            return new ValidadorDeRegra(
                [](QString& texto) {
                    const formatos::Digitacao d = formatos::DigitacaoDeQuantia(texto);
                    return d == formatos::Digitacao::Aceita       ? QValidator::Acceptable
                           : d == formatos::Digitacao::Incompleta ? QValidator::Intermediate
                                                                  : QValidator::Invalid;
                },
                dono);
        });
        grade.AddItem_("1001\t789\tAÇÚCAR\t120\tUN\t0,00", false);
        grade.AddItem_("1002\t788\tCAFÉ\t12,500\tKG\t0,00", false);
        grade.AddItem_("1003\t787\tFEIJÃO\t60\tUN\t0,00", false);
        grade.Refresh();
        controle.resize(640, 240);
    }

    QModelIndex indice(int linha, int coluna) const {
        return controle.modelo()->index(linha - 1, coluna);
    }
    void clicar(int linha, int coluna) {
        const QRect r = controle.visualRect(indice(linha, coluna));
        QTest::mouseClick(controle.viewport(), Qt::LeftButton, {}, r.center());
    }
    QString texto(int linha, int coluna) { return grade.Cell(linha, coluna).Text().toString(); }
};

cOleMethod ultimo;

// Types as a person does: every key goes to whatever has the keyboard focus at that moment.
void digitar(const QString& texto) {
    for (const QChar c : texto)
        QTest::keyClick(QApplication::focusWidget(), c.toLatin1());
}

void tecla(Qt::Key k) {
    QTest::keyClick(QApplication::focusWidget(), k);
}

} // namespace

class Automacao : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { RegistraClassesDaGrade(); }
    void init() {
        Caixas::setModoDeTeste(true); // PrintPreview opens the preview through the seam
        OLEAutoObject::observarChamadas([](const cOleMethod& m) { ultimo = m; });
    }
    void cleanup() { OLEAutoObject::observarChamadas({}); }

    void duasCelulasNoMesmoLugar() {
        GradeDeProdutos g;
        FlexCell_Cell a = g.grade.Cell(2, 6);
        FlexCell_Cell b = g.grade.Cell(2, 6);
        QVERIFY(a.objeto() != b.objeto());
        a.Text("12,5");
        QCOMPARE(b.Text(), QVariant("12,5"));
    }

    void leituraDeTipoDoUsuarioEhNumero() {
        GradeDeProdutos g;
        const QVariant alinhamento = g.grade.Column(4).Alignment();
        QCOMPARE(alinhamento.metaType(), QMetaType::fromType<int>());
        QCOMPARE(alinhamento.toInt(), 14);
        QCOMPARE(ultimo.bRetType, quint8(29));
    }

    void tituloNovoEFonteEmMoeda() {
        GradeDeProdutos g;
        FlexCell_ReportTitle titulo;
        FlexCell_ReportTitle outro;
        QVERIFY(titulo.valido() && outro.valido());
        QVERIFY(titulo.objeto() != outro.objeto());
        QCOMPARE(titulo.dwFuncs, 23u);
        titulo.Text("Cotação de produtos");
        titulo.Font().Name("Times New Roman");
        titulo.Font().Size(18);
        QCOMPARE(ultimo.cParamTypes, QByteArray(1, 6));
        titulo.Font().Bold(true);
        titulo.PrintOnAllPages(false);
        QCOMPARE(titulo.Font().Size().value<Moeda>(), Moeda{180000});

        g.grade.ReportTitles().Clear();
        g.grade.ReportTitles().Add(titulo);
        QCOMPARE(ultimo.cParamTypes, QByteArray(1, char(0x49)));
        const auto& titulos = g.controle.relatorio().titulos;
        QCOMPARE(titulos.size(), 1);
        QCOMPARE(titulos[0].texto, "Cotação de produtos");
        QCOMPARE(titulos[0].fonte.nome, "Times New Roman");
        QCOMPARE(titulos[0].fonte.tamanho, 18.0);
        QVERIFY(titulos[0].fonte.negrito);
        QVERIFY(!titulos[0].todasAsPaginas);
    }

    void semObjetoNadaMuda() {
        // Below the windows, a call to no object answers its failure and shows nothing.
        Caixas::setModoDeTeste(true);
        OLEAutoObject nenhum;
        cOleMethod rows;
        rows.symName = "Rows";
        rows.iMemberId = 0x6803003C;
        rows.wInvokeKind = Invocacao::Escrita;
        const ResultadoAuto r = nenhum.chama(rows, {5}, 1);
        QCOMPARE(ultimo.symName, QByteArray("Rows")); // the descriptor went out all the same
        QCOMPARE(r.valor, QVariant(false));
        QVERIFY(r.falha);
        QCOMPARE(r.falha->GenCode, int(CodigoGenerico::SemMetodo));
        QCOMPARE(r.falha->Operation, "Rows");
        QCOMPARE(FlexCell().Rows(5), QVariant(false)); // no handler: nothing shown either
        QVERIFY(Caixas::mostradas().isEmpty());

        // With the application's handler each call is reported as a runtime error; going on
        // answers false and changes nothing.
        OLEAutoObject::aoFalhar([](const Error& erro) { return ErroDeExecucao(erro); });
        opcoesDeErro().registro = false;
        FlexCell vazia;
        QCOMPARE(vazia.Rows(5), QVariant(false));
        QCOMPARE(vazia.Cell(1, 1).Text(), QVariant(false));

        auto* controle = new ControleGrade;
        FlexCell grade(controle);
        grade.Rows(3);
        delete controle; // the control went with its form
        grade.AddItem_("x", true);

        const auto& caixas = Caixas::mostradas();
        QCOMPARE(caixas.size(), 4);
        const QStringList operacoes{"Rows", "Cell", "Text", "AddItem_"};
        for (int i = 0; i < caixas.size(); ++i) {
            QCOMPARE(caixas[i].titulo, "ERROR");
            QVERIFY(caixas[i].texto.startsWith("Error Code:  13 [ NO EXPORTED METHOD ]\r\n"
                                               "Subsystem: Automation\r\n"));
            QVERIFY2(caixas[i].texto.contains("Operation: " + operacoes[i] + "\r\n"),
                     qPrintable(caixas[i].texto));
            QCOMPARE(caixas[i].resposta, 1);
        }
        OLEAutoObject::aoFalhar({});
        opcoesDeErro().registro = true;
        Caixas::setModoDeTeste(false);
    }

    void intervalos() {
        GradeDeProdutos g;
        g.grade.Range(1, 1, 2, 7).BackColor(CorOle(192, 192, 192));
        g.grade.Range(3, 1, 3, 3).Merge();
        g.grade.Range(0, 1, 0, 7).FontBold(true);
        g.grade.Range(0, 1, 0, 7).FontUnderline(true);
        const DadosGrade& d = g.controle.modelo()->dados();
        QCOMPARE(d.celula(2, 7).fundo, QColor(192, 192, 192));
        QVERIFY(!d.celula(3, 7).fundo.isValid());
        QVERIFY(d.celula(0, 3).negrito && d.celula(0, 3).sublinhado);
        QCOMPARE(d.mesclagens().size(), 1);
        QCOMPARE(g.controle.rowSpan(2, 1), 1);
        QCOMPARE(g.controle.columnSpan(2, 1), 3);
        g.grade.Range(1, 1, 2, 7).DeleteByRow();
        QCOMPARE(g.grade.Rows().toInt(), 2);
        QCOMPARE(g.texto(1, 3), "FEIJÃO");
    }

    void descritores_data() {
        QTest::addColumn<int>("membro");
        QTest::addColumn<QByteArray>("nome");
        QTest::addColumn<qint32>("id");
        QTest::addColumn<int>("invocacao");
        QTest::addColumn<int>("parametros");
        QTest::addColumn<int>("opcionais");
        QTest::addColumn<bool>("nomeados");
        QTest::addColumn<QByteArray>("tipos");
        QTest::addColumn<int>("retorno");
        QTest::newRow("_Cell Text put") << 0 << QByteArray("Text") << 0x6803001D << 4 << 1 << 0
                                        << false << QByteArray("\x08") << 0;
        QTest::newRow("FlexCell Cell") << 1 << QByteArray("Cell") << 0x600300DB << 1 << 2 << 0
                                       << true << QByteArray("\x03\x03") << 9;
        QTest::newRow("_Cell Alignment get") << 2 << QByteArray("Alignment") << 0x6803001A << 2 << 0
                                             << 0 << false << QByteArray() << 29;
        QTest::newRow("AddItem_") << 3 << QByteArray("AddItem_") << int(0x600300E2) << 1 << 2 << 0
                                  << true << QByteArray("\x08\x0b") << 0;
        QTest::newRow("PrintPreview") << 4 << QByteArray("PrintPreview") << int(0x600300F7) << 1
                                      << 1 << 1 << true << QByteArray("\x0c") << 0;
        QTest::newRow("_Column DecimalLength put")
            << 5 << QByteArray("DecimalLength") << 0x68030009 << 4 << 1 << 0 << false
            << QByteArray("\x02") << 0;
        QTest::newRow("_PageSetup LeftMargin put")
            << 6 << QByteArray("LeftMargin") << 0x68030016 << 4 << 1 << 0 << false
            << QByteArray("\x04") << 0;
        QTest::newRow("FlexCell BackColorBkg put")
            << 7 << QByteArray("BackColorBkg") << 0x6803007D << 4 << 1 << 0 << false
            << QByteArray("\x0c") << 0;
        QTest::newRow("FlexCell Range") << 8 << QByteArray("Range") << int(0x600300DF) << 1 << 4
                                        << 0 << true << QByteArray("\x03\x03\x03\x03") << 9;
        QTest::newRow("FontFlexCell Size put")
            << 9 << QByteArray("Size") << 2 << 4 << 1 << 0 << false << QByteArray("\x06") << 0;
        QTest::newRow("FlexCell Rows get")
            << 10 << QByteArray("Rows") << 0x6803003C << 2 << 0 << 0 << false << QByteArray() << 3;
    }

    void descritores() {
        QFETCH(int, membro);
        QFETCH(QByteArray, nome);
        QFETCH(qint32, id);
        QFETCH(int, invocacao);
        QFETCH(int, parametros);
        QFETCH(int, opcionais);
        QFETCH(bool, nomeados);
        QFETCH(QByteArray, tipos);
        QFETCH(int, retorno);
        GradeDeProdutos g;
        QVector<std::function<void()>> chamadas{
            [&] { g.grade.Cell(1, 6).Text("1"); },
            [&] { g.grade.Cell(1, 6); },
            [&] { g.grade.Cell(1, 6).Alignment(); },
            [&] { g.grade.AddItem_("x", false); },
            [&] { g.grade.PrintPreview(100); },
            [&] { g.grade.Column(4).DecimalLength(2); },
            [&] { g.grade.PageSetup().LeftMargin(1.5); },
            [&] { g.grade.BackColorBkg(CorOle(255, 255, 255)); },
            [&] { g.grade.Range(1, 1, 2, 2); },
            [&] { FlexCell_ReportTitle().Font().Size(18); },
            [&] { g.grade.Rows(); },
        };
        chamadas[membro]();
        QCOMPARE(ultimo.symName, nome);
        QCOMPARE(ultimo.iMemberId, id);
        QCOMPARE(ultimo.iFuncKind, 0);
        QCOMPARE(int(ultimo.wInvokeKind), invocacao);
        QCOMPARE(ultimo.nParams, parametros);
        QCOMPARE(ultimo.nOptParams, opcionais);
        QCOMPARE(ultimo.lNamedArgs, nomeados);
        QCOMPARE(ultimo.cParamTypes, tipos);
        QCOMPARE(int(ultimo.bRetType), retorno);
    }
};

class Grade : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init() {
        SetInternational(ModoInternacional::Windows, ItensDaLocalidade::de(QLocale("pt_BR")));
    }

    void linhasSoAparecemNoRefresh() {
        GradeDeProdutos g;
        QCOMPARE(g.controle.modelo()->rowCount(), 3);
        g.grade.AddItem_("1004\t786\tARROZ\t40\tFD\t0,00", false);
        QCOMPARE(g.controle.modelo()->rowCount(), 3);
        QCOMPARE(g.grade.Rows().toInt(), 5);
        g.grade.Refresh();
        QCOMPARE(g.controle.modelo()->rowCount(), 4);
        QCOMPARE(g.texto(4, 3), "ARROZ");
        QCOMPARE(g.texto(4, 7), "");
    }

    // A numeric cell is read as its column reads (an amount, a quantity) and shown with the
    // column's two decimals, more where the number has them; a text that is no number of the
    // column shows as it stands, never as another number.
    void numerosComoAColunaLe_data() {
        QTest::addColumn<int>("coluna");
        QTest::addColumn<QString>("texto");
        QTest::addColumn<QString>("mostrado");
        QTest::newRow("quantidade de três decimais, zero no fim") << 4 << "12,500"
                                                                  << "12,50";
        QTest::newRow("quantidade de três decimais") << 4 << "1,235"
                                                     << "1,235";
        QTest::newRow("quantidade com milhares") << 4 << "1.234,5"
                                                 << "1.234,50";
        QTest::newRow("quantidade de quatro decimais") << 4 << "0,0001"
                                                       << "0,0001";
        QTest::newRow("preço agrupado") << 6 << "1234,5"
                                        << "1.234,50";
        QTest::newRow("preço em moeda") << 6 << "R$ 8,99"
                                        << "8,99";
        QTest::newRow("milhar ou decimal? fica como está") << 6 << "1.234"
                                                           << "1.234";
        QTest::newRow("preço de três decimais fica") << 6 << "3,456"
                                                     << "3,456";
        QTest::newRow("sinal fica") << 6 << "-5"
                                    << "-5";
        QTest::newRow("expoente fica") << 6 << "1e5"
                                       << "1e5";
    }

    void numerosComoAColunaLe() {
        QFETCH(int, coluna);
        QFETCH(QString, texto);
        QFETCH(QString, mostrado);
        GradeDeProdutos g;
        g.grade.Cell(2, coluna).Text(texto);
        const QModelIndex celula = g.indice(2, coluna);
        QCOMPARE(celula.data(Qt::DisplayRole).toString(), mostrado);
        QCOMPARE(celula.data(Qt::EditRole).toString(), texto);
        QVERIFY(celula.data(Qt::TextAlignmentRole).value<Qt::Alignment>() & Qt::AlignRight);
        QCOMPARE(g.indice(1, 3).data(Qt::DisplayRole).toString(), "AÇÚCAR");
    }

    void digitarSubstituiEEnterDesce() {
        GradeDeProdutos g;
        g.controle.show();
        QVERIFY(QTest::qWaitForWindowExposed(&g.controle));
        QSignalSpy mudancas(&g.controle, &ControleGrade::CellChange);
        g.clicar(1, 6);
        digitar("abc-12,5x");
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QTRY_COMPARE(g.texto(1, 6), "12,5"); // the editor commits once the key is handled
        QCOMPARE(g.indice(1, 6).data().toString(), "12,50");
        QCOMPARE(g.controle.currentIndex(), g.indice(2, 6));
        QCOMPARE(mudancas.size(), 1);
        QCOMPARE(mudancas.first(), (QVariantList{1, 6}));

        // Typing into the next cell, straight away, replaces its "0,00"; thousands are read in
        // full.
        digitar("1.234,50");
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QTRY_COMPARE(g.texto(2, 6), "1.234,50");
        QCOMPARE(g.controle.currentIndex(), g.indice(3, 6));
    }

    // An input method commits full-width digits; the cell gets the amount, not a lone ",".
    void digitosLargosDeMetodoDeEntrada() {
        GradeDeProdutos g;
        g.controle.show();
        QVERIFY(QTest::qWaitForWindowExposed(&g.controle));
        g.clicar(1, 6);
        tecla(Qt::Key_F2);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_A, Qt::ControlModifier);
        QInputMethodEvent evento;
        evento.setCommitString(QString::fromUtf8("１２，５"));
        QApplication::sendEvent(QApplication::focusWidget(), &evento);
        tecla(Qt::Key_Return);
        QTRY_COMPARE(g.texto(1, 6), "12,5");
    }

    void f2EditaNoLugar() {
        GradeDeProdutos g;
        g.controle.show();
        QVERIFY(QTest::qWaitForWindowExposed(&g.controle));
        g.grade.Cell(1, 7).Text("entrega");
        g.clicar(1, 7);
        tecla(Qt::Key_F2);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_End);
        QTest::keyClicks(QApplication::focusWidget(), " rapida");
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QTRY_COMPARE(g.texto(1, 7), "entrega rapida");
    }

    void colunasBloqueadas() {
        GradeDeProdutos g;
        g.controle.show();
        QVERIFY(QTest::qWaitForWindowExposed(&g.controle));
        for (int c = 1; c <= 5; ++c) {
            g.clicar(1, c);
            digitar("9");
            tecla(Qt::Key_Return);
            QVERIFY(!(g.controle.modelo()->flags(g.indice(1, c)) & Qt::ItemIsEditable));
        }
        QCOMPARE(g.texto(1, 1), "1001");
        QCOMPARE(g.texto(1, 5), "UN");
    }

    void textoPeloProgramaAvisa() {
        GradeDeProdutos g;
        QSignalSpy mudancas(&g.controle, &ControleGrade::CellChange);
        g.grade.Cell(3, 7).Text("x");
        g.grade.Cell(3, 7).Text("x"); // unchanged: no event
        QCOMPARE(mudancas.size(), 1);
    }
};

COTACAO_TEST_MAIN_JANELAS(Automacao, Grade)
#include "tst_grade.moc"
