// The product grid as a spreadsheet: the commands' functions without a window, then the form
// driven as a supplier drives it.
#include "tests/cotacao/tst_planilhas.h"

#include "banco/PrecosEnviados.h"
#include "banco/Rascunhos.h"
#include "banco/TabelaDePrecos.h"
#include "cotacao/RelatorioCotacao.h"
#include "proposta/Colagem.h"
#include "proposta/Envio.h"
#include "proposta/Importacao.h"
#include "proposta/Planilha.h"
#include "proposta/PrecosDaTabela.h"
#include "proposta/Textos.h"
#include "janelas/EscolhaDeArquivo.h"
#include "nucleo/Ini.h"
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

namespace {

using proposta::Campo;

// Three products, the second one priced and with a remark; `muda` may change the quotation first.
void deTres(proposta::Proposta& p, const std::function<void(formatos::Cotacao&)>& muda = {}) {
    formatos::Cotacao c;
    c.produtos = {{"1001", "789", "AÇÚCAR 1KG", "120", "UN"},
                  {"1002", "788", "CAFÉ 500G", "48", "UN"},
                  {"1003", "", "PÃO FRANCÊS", "12,500", "KG"}};
    if (muda)
        muda(c);
    p.inicia(c);
    p.define(1, Campo::Preco, "12,5");
    p.define(1, Campo::Observacao, "moído");
}

// The product grid's headings, as the export writes them.
const QVariantList kCabecalho{"PLU",      "Cód. de barras",        "Descrição", "Qtde.", "Unid.",
                              "Preço R$", "Observações do produto"};

// Changes as the grid shows them: "row,column=text".
QStringList celulas(const QList<proposta::Alteracao>& alteracoes) {
    QStringList textos;
    for (const proposta::Alteracao& a : alteracoes)
        textos << QString("%1,%2=%3")
                      .arg(a.produto + 1)
                      .arg(a.campo == Campo::Preco ? 6 : 7)
                      .arg(a.depois);
    return textos;
}

} // namespace

void Planilhas::init() {
    SetInternational(ModoInternacional::Windows, ItensDaLocalidade::de(QLocale("pt_BR")));
}

void Planilhas::colagem_data() {
    QTest::addColumn<QString>("bloco");
    QTest::addColumn<int>("linha");
    QTest::addColumn<int>("coluna");
    QTest::addColumn<QRect>("selecao");
    QTest::addColumn<QStringList>("esperado");
    QTest::addColumn<int>("colados");
    QTest::addColumn<int>("recusados");
    QTest::newRow("preços e observações")
        << "12,5\tobs um\r\n7\t\r\n"
        << 1 << 6 << QRect() << QStringList{"1,6=12,5", "1,7=obs um", "2,6=7", "2,7="} << 4 << 0;
    QTest::newRow("milhares inteiros; o que não é valor entra como está, a corrigir")
        << "1.234,50\n12,345\n-3\n"
        << 1 << 6 << QRect() << QStringList{"1,6=1.234,50", "2,6=12,345", "3,6=-3"} << 1 << 2;
    QTest::newRow("moeda do Excel com os três espaços")
        << QString::fromUtf8("R$ 8,99\nR$\u00a06,50\nR$\u202f1.021,90\n") << 1 << 6 << QRect()
        << QStringList{"1,6=8,99", "2,6=6,50", "3,6=1021,90"} << 3 << 0;
    QTest::newRow("moeda negativa não é valor")
        << "-R$ 5,00\n"
        << 1 << 6 << QRect() << QStringList{"1,6=-R$ 5,00"} << 0 << 1;
    QTest::newRow("mais linhas que produtos")
        << "1\n2\n3\n4\n"
        << 2 << 6 << QRect() << QStringList{"2,6=1", "3,6=2"} << 2 << 2;
    QTest::newRow("observação com acentos e quebra entre aspas")
        << "\"Entrega às segundas\nsem falta\"\r\n"
        << 3 << 7 << QRect() << QStringList{"3,7=Entrega às segundas sem falta"} << 1 << 0;
    QTest::newRow("um valor em muitas células selecionadas")
        << "9,90\n"
        << 1 << 6 << QRect(6, 1, 1, 3) << QStringList{"1,6=9,90", "2,6=9,90", "3,6=9,90"} << 3 << 0;
    QTest::newRow("só as colunas de preço e observação")
        << "X\tY\t3\tok\n"
        << 1 << 4 << QRect() << QStringList{"1,6=3", "1,7=ok"} << 2 << 0;
    QTest::newRow("controles na observação viram brancos")
        << QString("\"a") + QChar(0) + "b\tc" + QChar(0x1b) + "d\"\n"
        << 1 << 7 << QRect() << QStringList{"1,7=a b c d"} << 1 << 0;
    QTest::newRow("dígitos largos")
        << QString::fromUtf8("１２,５\n") << 1 << 6 << QRect() << QStringList{"1,6=12,5"} << 1 << 0;
    QTest::newRow("preço vazio passa") << "\tnova\n"
                                       << 2 << 6 << QRect() << QStringList{"2,7=nova"} << 1 << 0;
}

void Planilhas::colagem() {
    QFETCH(QString, bloco);
    QFETCH(int, linha);
    QFETCH(int, coluna);
    QFETCH(QRect, selecao);
    QFETCH(QStringList, esperado);
    QFETCH(int, colados);
    QFETCH(int, recusados);
    proposta::Proposta p;
    deTres(p);
    const proposta::Colagem c = proposta::ColaTexto(p, linha, coluna, bloco, selecao);
    QCOMPARE(celulas(c.alteracoes), esperado);
    QCOMPARE(c.colados, colados);
    QCOMPARE(c.recusados, recusados);
}

// A spreadsheet as Excel saves it: currency texts, remarks left blank, long barcodes turned into
// "7,89E+12". What is an amount goes in, a blank cell changes nothing, a code that is not one is
// passed over and the line found by its PLU, and the summary says each.
void Planilhas::comoOExcelSalva_data() {
    QTest::addColumn<QByteArray>("csv");
    QTest::addColumn<QStringList>("esperado");
    QTest::addColumn<int>("recusados");
    QTest::addColumn<int>("emBranco");
    QTest::addColumn<int>("ilegiveis");
    QTest::addColumn<QString>("noResumo");
    QTest::newRow("moeda com espaço comum, sem quebra e estreito")
        << QByteArray("C\xc3\xb3"
                      "d. de barras;PLU;Pre\xc3\xa7o\r\n789;;R$ 8,99\r\n"
                      "788;;R$\xc2\xa0"
                      "6,50\r\n;1003;R$\xe2\x80\xaf"
                      "1.021,90\r\n")
        << QStringList{"1,6=8,99", "2,6=6,50", "3,6=1021,90"} << 0 << 0 << 0
        << "Preços que vão mudar: 3\n";
    QTest::newRow("moeda negativa recusada, dita com o código e a regra")
        << QByteArray("EAN;Pre\xc3\xa7o\r\n789;-R$ 5,00\r\n") << QStringList{} << 1 << 0 << 0
        << "Preços que não são valores (use só números, com vírgula ou ponto antes dos centavos, "
           "como 1.234,56 ou R$ 1.234,56):\n789: \"-R$ 5,00\"";
    QTest::newRow("observação em branco não apaga a digitada")
        << QByteArray("PLU;Pre\xc3\xa7o;Observa\xc3\xa7\xc3\xb5"
                      "es\r\n1002;12,5;\r\n1001;;\r\n1003;2;nova\r\n")
        << QStringList{"3,6=2,00", "3,7=nova"} << 0 << 3 << 0
        << "Preços que vão mudar: 1\nObservações que vão mudar: 1\nCélulas de preço ou "
           "observação em branco (ficam como estão): 3";
    QTest::newRow("códigos científicos achados pelo PLU")
        << QByteArray("C\xc3\xb3"
                      "digo de barras;C\xc3\xb3"
                      "digo;Vlr. unit.\r\n7,89E+12;1001;4,5\r\n7,88E+12;1002;5\r\n")
        << QStringList{"1,6=4,50", "2,6=5,00"} << 0 << 0 << 2
        << "Códigos de barras ilegíveis, deixados de lado (o produto é procurado pelo PLU): 2 - o "
           "Excel mostra códigos longos como 7,89E+12: prefira .xlsx";
}

void Planilhas::comoOExcelSalva() {
    QFETCH(QByteArray, csv);
    QFETCH(QStringList, esperado);
    QFETCH(int, recusados);
    QFETCH(int, emBranco);
    QFETCH(int, ilegiveis);
    QFETCH(QString, noResumo);
    DiretorioTeste dir;
    dir.escrever("excel.csv", csv);
    proposta::Proposta p;
    deTres(p);
    const proposta::Importacao i =
        teste::Certo(proposta::ImportaPlanilha(p, dir.arquivo("excel.csv")));
    QCOMPARE(celulas(i.alteracoes), esperado);
    QCOMPARE(i.recusados, recusados);
    QCOMPARE(i.emBranco, emBranco);
    QCOMPARE(i.barrasIlegiveis, ilegiveis);
    const QString resumo = proposta::ResumeImportacao(i);
    QVERIFY2(resumo.contains(noResumo), qPrintable(resumo));
    // The price table reads the same file by the same rules.
    const proposta::PlanoDaTabela t =
        teste::Certo(proposta::LeTabelaDePrecos(dir.arquivo("excel.csv")));
    QCOMPARE(t.precosRecusados, recusados);
    QCOMPARE(t.barrasIlegiveis, ilegiveis);
}

// One heading finder for every import: the titles of a supplier's own sheets, the more specific
// one first, a long text never taken for a title, nothing past the cells it looks at.
void Planilhas::titulos_data() {
    QTest::addColumn<QVariantList>("cabecalho");
    QTest::addColumn<QList<int>>("colunas"); // barcode, PLU, price, remark; empty: no heading
    QTest::newRow("EAN e Preço de venda")
        << QVariantList{"EAN", "Preço de venda"} << QList<int>{0, -1, 1, -1};
    QTest::newRow("Código de barras, Código, Vlr. unit., Obs.")
        << QVariantList{"Código de barras", "Código", "Vlr. unit.", "Obs."}
        << QList<int>{0, 1, 2, 3};
    QTest::newRow("GTIN, PLU, Valor e Preço R$: o preço")
        << QVariantList{"GTIN", "PLU", "Valor", "Preço R$"} << QList<int>{0, 1, 3, -1};
    QTest::newRow("Cód. de barras e Preço (R$)")
        << QVariantList{"Cód. de barras", "Descrição", " Preço (R$) "} << QList<int>{0, -1, 2, -1};
    QTest::newRow("Observações sem preço")
        << QVariantList{"PLU", "Observações"} << QList<int>{-1, 0, -1, 1};
    QTest::newRow("sem código") << QVariantList{"Descrição", "Preço"} << QList<int>{};
    QTest::newRow("um texto longo não é título")
        << QVariantList{QString(32767, u'p'), "PLU", "Preço", QString("Preço").repeated(9)}
        << QList<int>{-1, 1, 2, -1};
    QVariantList longe(proposta::kCelulasDoCabecalho, QString());
    longe << "PLU"
          << "Preço";
    QTest::newRow("além das células olhadas") << longe << QList<int>{};
}

void Planilhas::titulos() {
    QFETCH(QVariantList, cabecalho);
    QFETCH(QList<int>, colunas);
    const auto c = proposta::ColunasDoCabecalho(cabecalho);
    QCOMPARE(c.has_value(), !colunas.isEmpty());
    if (c)
        QCOMPARE((QList<int>{c->barras, c->plu, c->preco, c->obs}), colunas);
}

void Planilhas::idaEVolta_data() {
    QTest::addColumn<QString>("arquivo");
    QTest::newRow("xlsx") << "p.xlsx";
    QTest::newRow("csv") << "p.csv";
}

// Exported, then imported back: nothing changes, a remark that looks like a formula included.
void Planilhas::idaEVolta() {
    QFETCH(QString, arquivo);
    DiretorioTeste dir;
    proposta::Proposta p;
    deTres(p);
    p.define(2, Campo::Observacao, "=1+2 e -3");
    const QString caminho = dir.arquivo(arquivo);
    const proposta::Tabela tabela = proposta::TabelaDaProposta(p, kCabecalho);
    QVERIFY((arquivo.endsWith(".csv") ? proposta::EscreveCsv(caminho, tabela)
                                      : proposta::EscreveXlsx(caminho, tabela))
                .ok());
    if (!arquivo.endsWith(".csv")) {
        // A remark longer than a cell holds writes nothing, and the refusal names its row.
        proposta::Proposta longa;
        deTres(longa);
        longa.define(1, Campo::Observacao, QString(40000, u'x'));
        const QString outro = dir.arquivo("longa.xlsx");
        const auto recusada =
            proposta::EscreveXlsx(outro, proposta::TabelaDaProposta(longa, kCabecalho));
        QVERIFY(!recusada);
        QCOMPARE(recusada.falha().tipo, nucleo::Falha::Tipo::Recusada);
        QCOMPARE(recusada.falha().texto, proposta::textos::CelulaGrandeDemais.arg(3));
        QVERIFY(!QFile::exists(outro));
    }
    const proposta::Importacao i = teste::Certo(proposta::ImportaPlanilha(p, caminho));
    QVERIFY(i.cabecalhoAchado);
    QCOMPARE(i.correspondidas, 3);
    QCOMPARE(i.semProduto, 0);
    QCOMPARE(i.recusados, 0);
    QVERIFY2(i.alteracoes.isEmpty(), qPrintable(celulas(i.alteracoes).join(' ')));
    if (arquivo.endsWith(".csv")) { // what a Brazilian spreadsheet opens directly
        QVERIFY(dir.ler(arquivo).startsWith("\xEF\xBB\xBFPLU;C\xC3\xB3"
                                            "d. de barras;"));
        QVERIFY(dir.ler(arquivo).contains("KG;;'=1+2 e -3\r\n"));
    }
}

// A workbook written by another tool (openpyxl), laid out as a buyer's system might: a title
// above the headings, other names and another order, a line of a product not in the quotation.
void Planilhas::deOutraFerramenta() {
    DiretorioTeste dir;
    const QString caminho = dir.arquivo("fornecedor.xlsx");
    QProcess python;
    python.start("/usr/bin/python3",
                 {"-c",
                  "import openpyxl, sys\n"
                  "w = openpyxl.Workbook(); s = w.active; s.title = 'Preços'\n"
                  "s.append(['Tabela da semana'])\n"
                  "s.append([])\n"
                  "s.append(['Obs.', 'Descrição', 'EAN', 'Código', 'Preço unitário'])\n"
                  "s.append(['ótimo', 'Açúcar', '789', None, 4.5])\n"
                  "s.append([None, 'Pão', None, '1003', '8,9'])\n"
                  "s.append([None, 'Outro', '555', None, 3])\n"
                  "s.append([None, 'Café', 788, None, 'abc'])\n"
                  "w.save(sys.argv[1])\n",
                  caminho});
    QVERIFY(python.waitForFinished(30000));
    QCOMPARE(python.exitCode(), 0);
    proposta::Proposta p;
    deTres(p);
    const proposta::Importacao i = teste::Certo(proposta::ImportaPlanilha(p, caminho));
    QVERIFY(i.cabecalhoAchado);
    QCOMPARE(i.correspondidas, 3); // by barcode, by PLU where there is none, a number as a code
    QCOMPARE(i.semProduto, 1);
    QCOMPARE(i.recusados, 1);
    // A remark left blank keeps the one typed ("moído").
    QCOMPARE(celulas(i.alteracoes), (QStringList{"1,6=4,50", "1,7=ótimo", "3,6=8,90"}));
}

// Files of other systems: Windows-1252 with "," between cells and quotes around decimal commas;
// UTF-8 with one line of Windows-1252 (a remark pasted from an old system); UTF-16 with its mark.
void Planilhas::csvDeOutroSistema_data() {
    QTest::addColumn<QByteArray>("csv");
    QTest::addColumn<QString>("observacao");
    QTest::newRow("Windows-1252") << QByteArray("C\xf3"
                                                "d. de barras,Pre\xe7o,Observa\xe7\xe3o\r\n"
                                                "789,\"3,20\",\"caixa, 12 un\"\r\n788,,\r\n")
                                  << "caixa, 12 un";
    QTest::newRow("UTF-8 com uma linha em Windows-1252")
        << QByteArray("C\xc3\xb3"
                      "d. de barras;Pre\xc3\xa7o;Observa\xc3\xa7\xc3\xa3o\r\n"
                      "789;3,20;caf\xe9 em caixa\r\n788;;\r\n")
        << "café em caixa";
    const QString utf16 = "Cód. de barras;Preço;Observação\r\n789;3,20;açúcar\r\n788;;\r\n";
    QTest::newRow("UTF-16 com marca")
        << QByteArray("\xff\xfe") +
               QByteArray(reinterpret_cast<const char*>(utf16.utf16()), utf16.size() * 2)
        << "açúcar";
}

void Planilhas::csvDeOutroSistema() {
    QFETCH(QByteArray, csv);
    QFETCH(QString, observacao);
    DiretorioTeste dir;
    dir.escrever("o.csv", csv);
    proposta::Proposta p;
    deTres(p);
    const proposta::Importacao i = teste::Certo(proposta::ImportaPlanilha(p, dir.arquivo("o.csv")));
    QCOMPARE(i.correspondidas, 2);
    QCOMPARE(celulas(i.alteracoes), (QStringList{"1,6=3,20", "1,7=" + observacao}));
}

void Planilhas::lidaPorOutrosProgramas_data() {
    QTest::addColumn<QByteArray>("localidade"); // of the C library, as the program runs under it
    QTest::addColumn<QString>("xlsx");          // what LibreOffice shows of each file
    QTest::addColumn<QString>("csv");
    // The .csv is for Brazilian spreadsheets: elsewhere its amounts stay texts.
    QTest::newRow("pt_BR") << QByteArray("pt_BR.UTF-8")
                           << QString::fromUtf8("1001;789;=1+2;120,00;UN;;\n"
                                                "1002;788;CAFÉ 500G;48,00;UN;12,50;moído\n"
                                                "1003;;PÃO FRANCÊS;1.234,50;KG;;@SOMA(1)\n")
                           << QString::fromUtf8("1001;789;'=1+2;120;UN;;\n"
                                                "1002;788;CAFÉ 500G;48;UN;12,5;moído\n"
                                                "1003;;PÃO FRANCÊS;1234,5;KG;;'@SOMA(1)\n");
    QTest::newRow("C") << QByteArray("C")
                       << QString::fromUtf8("1001;789;=1+2;120.00;UN;;\n"
                                            "1002;788;CAFÉ 500G;48.00;UN;12.50;moído\n"
                                            "1003;;PÃO FRANCÊS;1,234.50;KG;;@SOMA(1)\n")
                       << QString::fromUtf8("1001;789;'=1+2;120,00;UN;;\n"
                                            "1002;788;CAFÉ 500G;48,00;UN;12,50;moído\n"
                                            "1003;;PÃO FRANCÊS;1234,50;KG;;'@SOMA(1)\n");
}

// What the supplier exports, read by programs that are not ours: openpyxl for the values, styles
// and margins inside the .xlsx, LibreOffice for what a spreadsheet program shows of it and of the
// .csv. Texts that look like formulas stay texts.
void Planilhas::lidaPorOutrosProgramas() {
    QFETCH(QByteArray, localidade);
    QFETCH(QString, xlsx);
    QFETCH(QString, csv);
    const QByteArray anterior = std::setlocale(LC_NUMERIC, nullptr);
    QVERIFY2(std::setlocale(LC_NUMERIC, localidade.constData()), localidade.constData());
    const auto restaura = qScopeGuard([&] { std::setlocale(LC_NUMERIC, anterior.constData()); });
    DiretorioTeste dir;
    proposta::Proposta p;
    deTres(p, [](formatos::Cotacao& c) {
        c.produtos[0].descricao = "=1+2";
        c.produtos[2].quantidade = "1234,5";
    });
    p.define(2, Campo::Observacao, "@SOMA(1)");
    const proposta::Tabela tabela = proposta::TabelaDaProposta(p, kCabecalho);
    QVERIFY(proposta::EscreveXlsx(dir.arquivo("x.xlsx"), tabela).ok());
    QVERIFY(proposta::EscreveCsv(dir.arquivo("c.csv"), tabela).ok());

    QProcess python;
    python.start("/usr/bin/python3",
                 {"-c",
                  "import openpyxl, sys\n"
                  "s = openpyxl.load_workbook(sys.argv[1]).active\n"
                  "for linha in s.iter_rows(min_row=2):\n"
                  "    print('|'.join('%s:%s' % (c.data_type, c.value) for c in linha))\n"
                  "print(s['A1'].font.b, s['F3'].number_format, s.page_margins.left,\n"
                  "      s.page_margins.top)\n",
                  dir.arquivo("x.xlsx")});
    QVERIFY(python.waitForFinished(30000));
    QCOMPARE(QString::fromUtf8(python.readAllStandardError()), "");
    QCOMPARE(QString::fromUtf8(python.readAllStandardOutput()),
             QString::fromUtf8("s:1001|s:789|s:=1+2|n:120|s:UN|n:None|n:None\n"
                               "s:1002|s:788|s:CAFÉ 500G|n:48|s:UN|n:12.5|s:moído\n"
                               "s:1003|n:None|s:PÃO FRANCÊS|n:1234.5|s:KG|n:None|s:@SOMA(1)\n"
                               "True #,##0.00 0.7 0.75\n"));

    // One LibreOffice profile for every run: its first start takes seconds.
    const QString perfil = QDir::temp().filePath("cotacao-teste-libreoffice");
    QProcess soffice;
    QProcessEnvironment ambiente = QProcessEnvironment::systemEnvironment();
    ambiente.insert("LC_ALL", QString::fromLatin1(localidade));
    soffice.setProcessEnvironment(ambiente);
    soffice.start("soffice", {"-env:UserInstallation=" + QUrl::fromLocalFile(perfil).toString(),
                              "--headless", "--infilter=CSV:59,34,76", "--convert-to",
                              "csv:Text - txt - csv (StarCalc):59,34,76", "--outdir",
                              dir.arquivo("lido"), dir.arquivo("x.xlsx"), dir.arquivo("c.csv")});
    QVERIFY(soffice.waitForFinished(120000));
    const auto semCabecalho = [&](const QString& nome) {
        const QString lido = QString::fromUtf8(dir.ler("lido/" + nome)).remove('\r');
        return lido.mid(lido.indexOf('\n') + 1);
    };
    QCOMPARE(semCabecalho("x.csv"), xlsx);
    QCOMPARE(semCabecalho("c.csv"), csv);

    // Ready to work: each column as wide as what it holds (up to 50), the heading row frozen and
    // filtered, as openpyxl reads our file; LibreOffice keeps the widths and the filter when it
    // saves it again (a conversion without a window keeps no view, so no frozen row).
    QProcess resalva;
    resalva.start("soffice", {"-env:UserInstallation=" + QUrl::fromLocalFile(perfil).toString(),
                              "--headless", "--convert-to", "xlsx:Calc MS Excel 2007 XML",
                              "--outdir", dir.arquivo("lo"), dir.arquivo("x.xlsx")});
    QVERIFY(resalva.waitForFinished(120000));
    for (const QString& arquivo : {dir.arquivo("x.xlsx"), dir.arquivo("lo/x.xlsx")}) {
        QProcess leitor;
        leitor.start("/usr/bin/python3",
                     {"-c",
                      "import openpyxl, sys\n"
                      "from openpyxl.utils import get_column_letter as letra\n"
                      "s = openpyxl.load_workbook(sys.argv[1]).active\n"
                      "curtas = [letra(i + 1) for i, coluna in enumerate(s.iter_cols())\n"
                      "          if (s.column_dimensions[letra(i + 1)].width or 0) <\n"
                      "             min(50, max(len(str(c.value or '')) for c in coluna))]\n"
                      "print(s.auto_filter.ref, curtas, s.column_dimensions['C'].width <= 52)\n"
                      "print(s.freeze_panes)\n",
                      arquivo});
        QVERIFY(leitor.waitForFinished(30000));
        QCOMPARE(QString::fromUtf8(leitor.readAllStandardError()), "");
        const QStringList lido = QString::fromUtf8(leitor.readAllStandardOutput()).split('\n');
        QCOMPARE(lido.value(0), "A1:G4 [] True");
        if (arquivo == dir.arquivo("x.xlsx"))
            QCOMPARE(lido.value(1), "A2");
    }
}

void Planilhas::arquivosHostis_data() {
    QTest::addColumn<QString>("tipo");
    QTest::addColumn<QString>("arquivo");
    QTest::addColumn<QString>("recusa");
    QTest::addColumn<int>("recusados");
    using namespace proposta::textos;
    QTest::newRow("linha 2147483647") << "linha-enorme"
                                      << "p.xlsx" << ForaDosLimites << 0;
    QTest::newRow("coluna além de XFD") << "coluna-alem"
                                        << "p.xlsx" << ForaDosLimites << 0;
    QTest::newRow("300 MB de espaços") << "espacos 300"
                                       << "p.xlsx" << TextoGrandeDemais << 0;
    QTest::newRow("folha de 60 MB") << "inflada 60"
                                    << "p.xlsx" << ParteGrandeDemais << 0;
    QTest::newRow("XML quebrado") << "xml-quebrado"
                                  << "p.xlsx" << ConteudoDanificado << 0;
    QTest::newRow("soma de verificação") << "crc"
                                         << "p.xlsx" << CompactacaoDanificada << 0;
    QTest::newRow("nan, inf e palavra") << "nao-numeros"
                                        << "p.xlsx"
                                        << "" << 3;
    QTest::newRow("csv de 21 MB") << "csv-grande 21"
                                  << "p.csv" << ArquivoGrandeDemais << 0;
    QTest::newRow("linha de 70 KB") << "csv-linha-longa"
                                    << "p.csv" << LinhaCsvGrandeDemais << 0;
    QTest::newRow("entidade usada 60.000 vezes") << "entidades"
                                                 << "p.xlsx" << DeclaracaoDeTipo << 0;
    QTest::newRow("entidade declarada na folha") << "entidades-na-folha"
                                                 << "p.xlsx" << DeclaracaoDeTipo << 0;
    QTest::newRow("um texto longo em 20.000 linhas") << "compartilhada"
                                                     << "p.xlsx" << TextoDemaisNaImportacao << 0;
    // The heading search's worst case: every cell the same text of 32,767 characters.
    QTest::newRow("30 linhas de 40 células de um texto de 32.767") << "titulos-longos"
                                                                   << "p.xlsx"
                                                                   << "" << 0;
}

// Files made to crash or swamp a reader are refused with their reason, change nothing, and the
// import's process stays small.
void Planilhas::arquivosHostis() {
    QFETCH(QString, tipo);
    QFETCH(QString, arquivo);
    QFETCH(QString, recusa);
    QFETCH(int, recusados);
    DiretorioTeste dir;
    QStringList argumentos = tipo.split(' ');
    argumentos.insert(1, dir.arquivo(arquivo));
    QProcess gerador;
    gerador.start("/usr/bin/python3",
                  QStringList{COTACAO_SOURCE_DIR "/tests/support/planilhas_hostis.py"} +
                      argumentos);
    QVERIFY(gerador.waitForFinished(120000));
    QCOMPARE(gerador.exitCode(), 0);

    QProcess filho;
    QProcessEnvironment ambiente = QProcessEnvironment::systemEnvironment();
    // Memory freed under AddressSanitizer is held back for a while: not the program's own use.
    ambiente.insert("ASAN_OPTIONS", ambiente.value("ASAN_OPTIONS") + ":quarantine_size_mb=16");
    filho.setProcessEnvironment(ambiente);
    filho.start(FILHO_PLANILHA, {dir.arquivo(arquivo)});
    QVERIFY(filho.waitForFinished(120000));
    QCOMPARE(filho.exitCode(), 0);
    const QStringList saida = QString::fromUtf8(filho.readAllStandardOutput()).split('\n');
    QCOMPARE(saida.size(), 5);
    QCOMPARE(saida[0], recusa);
    QCOMPARE(saida[1].toInt(), recusados);
    QCOMPARE(saida[2].toInt(), 0); // no cell changes
    QVERIFY2(saida[3].toLong() < 200 * 1024, qPrintable(saida[3] + " KB"));
}

// A remark with line breaks and a NUL from a spreadsheet: the answer file still reads back key by
// key, as the buyer's system reads it.
void Planilhas::observacaoComControles() {
    DiretorioTeste dir;
    static const char csv[] = "C\xf3"
                              "d. de barras;Pre\xe7o;Observa\xe7\xe3o\r\n"
                              "789;\"3,20\";\"um\r\ndois\0tr\xeas\"\r\n";
    dir.escrever("o.csv", QByteArray(csv, sizeof(csv) - 1));
    proposta::Proposta p;
    deTres(p);
    p.altera(teste::Certo(proposta::ImportaPlanilha(p, dir.arquivo("o.csv"))).alteracoes);
    formatos::Resposta r = p.resposta();
    r.termos.obsGeral = QString("a") + QChar(0) + "b";
    const QString arquivo = dir.arquivo("r.cot");
    QVERIFY(proposta::GravaResposta(r, arquivo).ok());
    const auto le = [&](const QString& chave) {
        QString valor;
        GetFileIni("Geral", chave, "?", arquivo, valor);
        return valor;
    };
    QCOMPARE(le("ListaObsProdutos"), "[|um dois três|][|moído|][||]");
    QCOMPARE(le("ListaPrecosForn"), "[|3,20|][|12,50|][|0,00|]");
    QCOMPARE(le("ObsGeral"), "a b");
    QCOMPARE(dir.ler("r.cot").count('\n'), 8); // a section line and seven keys
}

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
                 (linha->text().endsWith(u'…') && linha->toolTip() == proposta::textos::AjudaColar &&
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
