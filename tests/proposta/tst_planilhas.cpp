// The answer as a spreadsheet, without a window: pasting, importing and exporting.
#include "tests/proposta/tst_planilhas.h"

#include "banco/PrecosEnviados.h"
#include "banco/Rascunhos.h"
#include "banco/TabelaDePrecos.h"
#include "nucleo/Ini.h"
#include "proposta/Colagem.h"
#include "proposta/Envio.h"
#include "proposta/Importacao.h"
#include "proposta/Planilha.h"
#include "proposta/PrecosDaTabela.h"
#include "proposta/Textos.h"
#include "tests/proposta/Dados.h"
#include "tests/support/Certo.h"
#include "tests/support/DiretorioTeste.h"

#include <QProcess>
#include <QScopeGuard>
#include <QUrl>

#include <clocale>

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
