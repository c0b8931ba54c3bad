#include "tests/formatos/tst_arquivos.h"

#include "formatos/Cotacao.h"
#include "formatos/Resposta.h"
#include "nucleo/Ini.h"
#include "nucleo/Regional.h"
#include "tests/support/DiretorioTeste.h"

#include <QTest>

#ifdef Q_OS_WIN
#include "nucleo/Cp1252.h"

#include <QDir>

#include <windows.h>
#endif

using namespace nucleo;

void ArquivoDeResposta::cleanup() {
    SetInternational(ModoInternacional::Windows, ItensDaLocalidade::de(QLocale::c()));
}

void ArquivoDeResposta::escrita_data() {
    QTest::addColumn<QString>("localidade");
    QTest::addColumn<QByteArray>("anterior"); // the answer file before the sending
    QTest::addColumn<QStringList>("precos");
    QTest::addColumn<QByteArray>("esperado");
    const QStringList tres{"0,00", "12,5", ""};
    QTest::newRow("arquivo novo")
        << "pt_BR" << QByteArray() << tres
        << QByteArray("[Geral]\r\nListaPrecosForn=[|0,00|][|12,50|][|0,00|]\r\n"
                      "ListaObsProdutos=[|marca X|][||][|a| ]b|]\r\nObsGeral=Frete \xe0 parte\r\n"
                      "PrazoEntrega=30\r\nFormaPgto=30/60\r\nPedidoMinimo=150,00\r\n"
                      "ValorFrete=\r\n");
    QTest::newRow("ponto decimal")
        << "en_US" << QByteArray() << QStringList{"7", "1.5", "x"}
        << QByteArray("[Geral]\r\nListaPrecosForn=[|7.00|][|1.50|][|0.00|]\r\n"
                      "ListaObsProdutos=[|marca X|][||][|a| ]b|]\r\nObsGeral=Frete \xe0 parte\r\n"
                      "PrazoEntrega=30\r\nFormaPgto=30/60\r\nPedidoMinimo=150,00\r\n"
                      "ValorFrete=\r\n");
    // Each key replaced where it stands, with the spelling the file gave it; the buyer's
    // keys and comments stay.
    QTest::newRow("resposta anterior")
        << "pt_BR"
        << QByteArray("; do comprador\r\n[geral]\r\nComprador=7\r\nlistaprecosforn=[|1,00|]\r\n"
                      "ObsGeral=velha\r\n[Outra]\r\nX=1\r\n")
        << tres
        << QByteArray("; do comprador\r\n[geral]\r\nComprador=7\r\n"
                      "listaprecosforn=[|0,00|][|12,50|][|0,00|]\r\n"
                      "ObsGeral=Frete \xe0 parte\r\nListaObsProdutos=[|marca X|][||][|a| ]b|]\r\n"
                      "PrazoEntrega=30\r\nFormaPgto=30/60\r\nPedidoMinimo=150,00\r\n"
                      "ValorFrete=\r\n[Outra]\r\nX=1\r\n");
    QTest::newRow("sem produtos: listas anteriores ficam")
        << "pt_BR" << QByteArray("[Geral]\r\nListaPrecosForn=[|9,99|]\r\n") << QStringList{}
        << QByteArray("[Geral]\r\nListaPrecosForn=[|9,99|]\r\nObsGeral=Frete \xe0 parte\r\n"
                      "PrazoEntrega=30\r\nFormaPgto=30/60\r\nPedidoMinimo=150,00\r\n"
                      "ValorFrete=\r\n");
}

void ArquivoDeResposta::escrita() {
    QFETCH(QString, localidade);
    QFETCH(QByteArray, anterior);
    QFETCH(QStringList, precos);
    QFETCH(QByteArray, esperado);
    SetInternational(ModoInternacional::Windows, ItensDaLocalidade::de(QLocale(localidade)));
    DiretorioTeste dir;
    if (!anterior.isEmpty())
        dir.escrever("r.cot", anterior);
    formatos::Resposta r;
    r.precos = precos;
    r.observacoes = QStringList{"  marca X ", "", "a|]b"}.mid(0, precos.size());
    r.termos = {" Frete à parte ", " 30", "30/60 ", "150,00", "  "};
    nucleo::ArquivoIni ini;
    QVERIFY(ini.carrega(dir.arquivo("r.cot")).ok());
    formatos::EscreveResposta(ini, r);
    QVERIFY(ini.grava().ok());
    QCOMPARE(dir.ler("r.cot"), esperado);

    // Read back: the same items and terms (trimmed, as they were written).
    nucleo::ArquivoIni lido;
    QVERIFY(lido.carrega(dir.arquivo("r.cot")));
    const formatos::Resposta volta = formatos::LeResposta(lido);
    QCOMPARE(volta.termos.formaPgto, "30/60");
    QCOMPARE(volta.termos.valorFrete, "");
    if (!precos.isEmpty())
        QCOMPARE(volta.observacoes, (QStringList{"marca X", "", "a| ]b"}));
}

void ArquivoDeResposta::termosDoFormulario_data() {
    QTest::addColumn<QByteArray>("resposta");
    QTest::addColumn<QStringList>("termos"); // obs, prazo, forma, mínimo, frete
    const QByteArray config = "[Geral]\r\nFormaPgto=45\r\nPrazoEntrega=15\r\n"
                              "PedidoMinimo=200,5\r\nValorFrete=99\r\n";
    QTest::newRow("em branco: os da última vez")
        << QByteArray("[Geral]\r\nObsGeral=  nada  \r\nPrazoEntrega=  \r\nPedidoMinimo=0,00\r\n")
        << QStringList{"nada", "15", "45", "200,50", "99,00"};
    QTest::newRow("os da resposta ganham")
        << QByteArray("[Geral]\r\nPrazoEntrega=30\r\nFormaPgto=28\r\nPedidoMinimo=150,75\r\n"
                      "ValorFrete=35.5\r\n")
        << QStringList{"", "30", "28", "150,75", "35,50"};
    QTest::newRow("sem chaves") << QByteArray("[Geral]\r\n")
                                << QStringList{"", "15", "45", "200,50", "99,00"};
    QVERIFY(!config.isEmpty());
}

void ArquivoDeResposta::termosDoFormulario() {
    QFETCH(QByteArray, resposta);
    QFETCH(QStringList, termos);
    SetInternational(ModoInternacional::Windows, ItensDaLocalidade::de(QLocale("pt_BR")));
    DiretorioTeste dir;
    dir.escrever("r.cot", resposta);
    dir.escrever("Config.ini", "[Geral]\r\nFormaPgto=45\r\nPrazoEntrega=15\r\n"
                               "PedidoMinimo=200,5\r\nValorFrete=99\r\n");
    nucleo::ArquivoIni r, config;
    QVERIFY(r.carrega(dir.arquivo("r.cot")) && config.carrega(dir.arquivo("Config.ini")));
    const formatos::Termos t = formatos::TermosDoFormulario(formatos::LeResposta(r).termos, config);
    QCOMPARE((QStringList{t.obsGeral, t.prazoEntrega, t.formaPgto, t.pedidoMinimo, t.valorFrete}),
             termos);
}

void ArquivoDeResposta::cotacao() {
    DiretorioTeste dir;
    dir.escrever("c.cot", "[Geral]\r\nSolicitante=  Mercado S\xe3o Jo\xe3o \r\n"
                          "SenhaCotacao=372\r\nListaFornecedor=[|1|][|a|][|b|][|111|]"
                          "[|2|][|c|][|222|]\r\nListaProdutos=[|P|][|B|][|D|][|Q|][|U|][|X|]"
                          "[|P2|][|B2|]\r\n");
    const auto lida = formatos::LeCotacao(dir.arquivo("c.cot"));
    QVERIFY(lida);
    const formatos::Cotacao& c = *lida;
    QCOMPARE(c.solicitante, "Mercado São João"); // blanks around a value are not part of it
    QCOMPARE(c.senhaBase, "372");
    QCOMPARE(c.fornecedores, QStringList{"111"}); // an incomplete record grants nothing
    QCOMPARE(c.produtos.size(), 1);
    QCOMPARE(c.produtos[0].unidade, "U");
    const auto falta = formatos::LeCotacao(dir.arquivo("falta.cot"));
    QVERIFY(!falta);
    QCOMPARE(falta.falha().tipo, nucleo::Falha::Tipo::Inexistente);
}

// What the buyer's reader takes of the answer, measured on the lists as they are written.
void ArquivoDeResposta::medida_data() {
    QTest::addColumn<QStringList>("observacoes");
    QTest::addColumn<qsizetype>("usados");
    QTest::addColumn<qsizetype>("alem");   // beyond the limit; 0: it fits
    QTest::addColumn<qsizetype>("espaco"); // -1: not shown yet
    QTest::addColumn<QList<int>>("maisLongas");
    const auto um = [](qsizetype n) { return QStringList{QString(n, u'x')}; };
    QTest::newRow("pequena") << QStringList{"a", "", " b "} << qsizetype(14) << qsizetype(0)
                             << qsizetype(-1) << QList<int>{0, 2};
    QTest::newRow("abaixo de 90 %")
        << um(269995) << qsizetype(269999) << qsizetype(0) << qsizetype(-1) << QList<int>{0};
    QTest::newRow("90 %") << um(269996) << qsizetype(270000) << qsizetype(0) << qsizetype(29999)
                          << QList<int>{0};
    QTest::newRow("no limite") << um(299995) << qsizetype(299999) << qsizetype(0) << qsizetype(0)
                               << QList<int>{0};
    QTest::newRow("um além") << um(299996) << qsizetype(300000) << qsizetype(1) << qsizetype(-1)
                             << QList<int>{0};
    // As written: "|]" becomes "| ]", control characters blanks that trimming removes.
    QTest::newRow("como escrita") << QStringList{"a|]b", QString(QChar(0)) + "c\r\n"}
                                  << qsizetype(14) << qsizetype(0) << qsizetype(-1)
                                  << QList<int>{0, 1};
    QStringList muitas(3500, QString(90, u'o'));
    muitas[7] = QString(120, u'o');
    muitas[3] = QString(100, u'o');
    QTest::newRow("3500 produtos, 90 caracteres") << muitas << qsizetype(329040) << qsizetype(29041)
                                                  << qsizetype(-29041) << QList<int>{7, 3, 0, 1, 2};
}

void ArquivoDeResposta::medida() {
    QFETCH(QStringList, observacoes);
    QFETCH(qsizetype, usados);
    QFETCH(qsizetype, alem);
    QFETCH(qsizetype, espaco);
    QFETCH(QList<int>, maisLongas);
    formatos::Resposta r;
    r.precos = QStringList(observacoes.size(), "1,00");
    r.observacoes = observacoes;
    const formatos::MedidaDaResposta m = formatos::MedeResposta(r);
    QCOMPARE(m.observacoes, usados);
    // The measure is the list as written; the reader cuts what goes beyond the limit.
    nucleo::ArquivoIni ini;
    formatos::EscreveResposta(ini, r);
    QCOMPARE(ini.valor("Geral", "ListaObsProdutos", "").size(),
             std::min(usados, nucleo::kLimiteValorIni));
    QCOMPARE(m.cabe(), alem == 0);
    if (alem) {
        QCOMPARE(m.excessos.size(), 1);
        QCOMPARE(m.excessos[0].chave, "ListaObsProdutos");
        QCOMPARE(m.excessos[0].alem, alem);
    }
    QCOMPARE(m.espacoNasObservacoes().value_or(-1), alem ? -alem : espaco);
    QCOMPARE(m.maisLongas, maisLongas);
}

// The answer as Windows' own profile functions read it (the Windows build runs this under
// Wine): each value whole, key by key, though remarks and terms came with control characters
// that would otherwise end a line or open a section.
void ArquivoDeResposta::lidaPeloWindows() {
#ifndef Q_OS_WIN
    QSKIP("Windows' profile functions: run by the Windows build under Wine");
#else
    SetInternational(ModoInternacional::Windows, ItensDaLocalidade::de(QLocale("pt_BR")));
    DiretorioTeste dir;
    formatos::Resposta r;
    r.precos = {"1,5", "2"};
    r.observacoes = {QString("um\r\ndois") + QChar(0) + "três\tquatro", "a|]b"};
    r.termos = {"linha\r\n[Outra]\r\nX=1", "30", "30/60", "150,00", "0,00"};
    nucleo::ArquivoIni ini;
    QVERIFY(ini.carrega(dir.arquivo("r.cot")));
    formatos::EscreveResposta(ini, r);
    QVERIFY(ini.grava().ok());
    const QByteArray arquivo = QDir::toNativeSeparators(dir.arquivo("r.cot")).toLocal8Bit();
    const auto windows = [&](const char* secao, const char* chave) {
        QByteArray valor(300000, '\0');
        const DWORD lidos = GetPrivateProfileStringA(secao, chave, "?", valor.data(),
                                                     DWORD(valor.size()), arquivo.constData());
        return DeCp1252(valor.left(lidos));
    };
    QCOMPARE(windows("Geral", "ListaPrecosForn"), "[|1,50|][|2,00|]");
    QCOMPARE(windows("Geral", "ListaObsProdutos"), "[|um  dois três quatro|][|a| ]b|]");
    QCOMPARE(windows("Geral", "ObsGeral"), "linha  [Outra]  X=1");
    QCOMPARE(windows("Geral", "PrazoEntrega"), "30");
    QCOMPARE(windows("Geral", "FormaPgto"), "30/60");
    QCOMPARE(windows("Geral", "PedidoMinimo"), "150,00");
    QCOMPARE(windows("Geral", "ValorFrete"), "0,00");
    QCOMPARE(windows("Outra", "X"), "?");
#endif
}
