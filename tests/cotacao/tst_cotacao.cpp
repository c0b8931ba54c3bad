#include "banco/BancoLocal.h"
#include "banco/Rascunhos.h"
#include "banco/Recibos.h"
#include "cotacao/FormCotacao.h"
#include "cotacao/RelatorioCotacao.h"
#include "formatos/Lista.h"
#include "grade/ControleGrade.h"
#include "grade/ImpressaoGrade.h"
#include "janelas/Caixas.h"
#include "janelas/Formato.h"
#include "janelas/Textos.h"
#include "nucleo/Cp1252.h"
#include "nucleo/ProgramDir.h"
#include "nucleo/Regional.h"
#include "nucleo/Textos.h"
#include "proposta/ColunasProdutos.h"
#include "proposta/Envio.h"
#include "proposta/RespostaAnterior.h"
#include "proposta/Textos.h"
#include "remoto/Servidor.h"
#include "tests/cotacao/Ambiente.h"
#include "tests/cotacao/tst_comandos.h"
#include "tests/cotacao/tst_modelo.h"
#include "tests/support/Certo.h"
#include "tests/support/DiretorioTeste.h"
#include "tests/support/DiscoPequeno.h"
#include "tests/support/ServidorFtpTeste.h"

#include <QAction>
#include <QCryptographicHash>
#include <QGroupBox>
#include <QMenuBar>
#include <QProcess>
#include <QScrollArea>
#include <QStatusBar>
#include <QTcpServer>
#include <QTest>
#include <QToolBar>

using namespace grade;
using namespace janelas;
using namespace nucleo;

class Preenchimento : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init() { prepara(); }
    void cleanup() { limpa(); }

    void produtosEmOrdem() {
        Ambiente a;
        FormCotacao& f = a.abrir();
        QCOMPARE(f.findChild<QLabel*>("MSolicitante")->text(), "Mercado São João");
        QCOMPARE(f.MListaProdutos.Rows().toInt(), 4);
        QCOMPARE(a.celula(1, 3), "AÇÚCAR 1KG");
        QCOMPARE(a.celula(3, 4), "12,500");
        QCOMPARE(a.celula(3, 5), "KG");
        for (int linha = 1; linha <= 3; ++linha) {
            QCOMPARE(a.celula(linha, 6), "0,00");
            QCOMPARE(a.celula(linha, 7), "");
        }
        QVERIFY(!f.lModificado);
        QCOMPARE(f.windowTitle(), "Cotação de mercadorias ...");
        QVERIFY(!(f.windowFlags() & Qt::WindowMaximizeButtonHint));
    }

    void semProdutos() {
        Ambiente a(QStringList{});
        FormCotacao& f = a.abrir();
        QCOMPARE(f.MListaProdutos.Rows().toInt(), 1);
        QCOMPARE(a.celula(0, 6), "Preço R$");
    }

    void camposRecebemOClique() {
        // The frames around the fields must not lie over them and take the mouse.
        Ambiente a;
        FormCotacao& f = a.abrir();
        for (const char* nome : {"MFormaPgto", "MPrazoEntrega", "MPedidoMinimo", "MValorFrete",
                                 "MObservacoes", "MListaProdutos"}) {
            auto* campo = f.findChild<QWidget*>(QString::fromLatin1(nome));
            QVERIFY(campo);
            const QPoint centro = campo->geometry().center();
            QWidget* atingido = f.centralWidget()->childAt(centro);
            QVERIFY2(atingido == campo || campo->isAncestorOf(atingido), nome);
        }
    }

    void respostaAnterior() {
        Ambiente a;
        a.servidor.colocar(
            kResposta,
            "[Geral]\r\nListaPrecosForn=[|12,50|][|3,00|]\r\n"
            "ListaObsProdutos=[|a|][|b|][|c|][|d|][|e|]\r\nObsGeral=  nada  \r\n"
            "PrazoEntrega=   \r\nFormaPgto=28\r\nPedidoMinimo=0,00\r\nValorFrete=35,75\r\n");
        a.programa.escrever("Config.ini", "[Geral]\r\nFormaPgto=45\r\nPrazoEntrega=15\r\n"
                                          "PedidoMinimo=200,50\r\nValorFrete=99\r\n");
        FormCotacao& f = a.abrir();
        QCOMPARE(a.celula(1, 6), "12,50");
        QCOMPARE(a.celula(2, 6), "3,00");
        QCOMPARE(a.celula(3, 6), "0,00");
        QCOMPARE(a.celula(3, 7), "c"); // the two items beyond the grid are dropped
        QCOMPARE(f.MListaProdutos.Rows().toInt(), 4);
        QCOMPARE(f.MObservacoes(), "nada");
        QCOMPARE(f.MPrazoEntrega(), "15");     // blank in the answer: the last sending's
        QCOMPARE(f.MFormaPgto(), "28");        // the answer's own wins
        QCOMPARE(f.MPedidoMinimo(), "200,50"); // zero in the answer: the last sending's
        QCOMPARE(f.MValorFrete(), "35,75");    // cents kept
        QVERIFY(!f.lModificado);
    }

    void semRespostaNoServidor() {
        Ambiente a;
        a.programa.escrever("Config.ini", "[Geral]\r\nFormaPgto=45\r\n");
        FormCotacao& f = a.abrir();
        QCOMPARE(f.MFormaPgto(), ""); // Config.ini only fills an answer that exists
        QVERIFY(Caixas::mostradas().isEmpty());
    }
};

class Envio : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init() { prepara(); }
    void cleanup() { limpa(); }

    void fluxoCompleto_data() {
        QTest::addColumn<QString>("localidade");
        QTest::addColumn<QString>("minimo");
        QTest::addColumn<QByteArray>("esperado");
        QTest::newRow("pt_BR")
            << "pt_BR"
            << "150,75"
            << QByteArray("[Geral]\r\nListaPrecosForn=[|12,50|][|0,00|][|3,00|]\r\n"
                          "ListaObsProdutos=[|entregar cedo|][||][|marca X|]\r\n"
                          "ObsGeral=Frete \xe0 parte\r\nPrazoEntrega=30\r\nFormaPgto=30/60/90\r\n"
                          "PedidoMinimo=150,75\r\nValorFrete=\r\n");
        QTest::newRow("en_US")
            << "en_US"
            << "150.75"
            << QByteArray("[Geral]\r\nListaPrecosForn=[|12.50|][|0.00|][|3.00|]\r\n"
                          "ListaObsProdutos=[|entregar cedo|][||][|marca X|]\r\n"
                          "ObsGeral=Frete \xe0 parte\r\nPrazoEntrega=30\r\nFormaPgto=30/60/90\r\n"
                          "PedidoMinimo=150.75\r\nValorFrete=\r\n");
    }

    void fluxoCompleto() {
        QFETCH(QString, localidade);
        QFETCH(QString, minimo);
        QFETCH(QByteArray, esperado);
        SetInternational(ModoInternacional::Windows, ItensDaLocalidade::de(QLocale(localidade)));
        Ambiente a;
        FormCotacao& f = a.abrir();
        a.digitarNaCelula(1, 6, "12,5");
        a.digitarNaCelula(2, 6, "");
        a.digitarNaCelula(3, 6, "3");
        a.digitarNaCelula(1, 7, "  entregar cedo  ");
        a.digitarNaCelula(3, 7, "marca X");
        a.digitarNoCampo("MFormaPgto", "30/60/90");
        a.digitarNoCampo("MPrazoEntrega", " 30 ");
        a.digitarNoCampo("MPedidoMinimo", minimo);
        auto* obs = f.findChild<QLineEdit*>("MObservacoes");
        obs->insert("Frete à parte"); // typed through an input method
        QVERIFY(f.lModificado);

        Caixas::responde(proposta::textos::Enviada, Caixas::Ok);
        Caixas::responde(proposta::textos::PerguntaImprimir, 2); // "Não" to printing
        a.comando("Enviar");

        QCOMPARE(mensagens(),
                 (QStringList{proposta::textos::Enviada, proposta::textos::PerguntaImprimir}));
        QCOMPARE(Caixas::respostasPendentes(), QStringList());
        QCOMPARE(a.servidor.conteudo(kResposta), esperado);
        QCOMPARE(a.programa.ler(kResposta), esperado);
        // The terms as the fields hold them, blanks included.
        QCOMPARE(a.programa.ler("Config.ini"),
                 "[Geral]\r\nFormaPgto=30/60/90\r\nPrazoEntrega= 30 \r\nPedidoMinimo=" +
                     minimo.toLatin1() + "\r\nValorFrete=\r\n");
        QTRY_VERIFY(a.form.isNull());
        FormObrigado* fim = obrigado();
        QVERIFY(fim && fim->quitOnClose());
    }

    void semConexao() {
        Ambiente a;
        a.internet.close();
        FormCotacao& f = a.abrir();
        a.digitarNaCelula(1, 6, "7");
        a.comando("Enviar");
        QCOMPARE(mensagens(), QStringList{janelas::textos::SemConexao});
        QVERIFY(!QFile::exists(a.programa.arquivo(kResposta)));
        QVERIFY(f.isVisible() && f.lModificado);
        QCOMPARE(a.celula(1, 6), "7");
    }

    void gradeVaziaMantemListas() {
        Ambiente a(QStringList{});
        const QByteArray anterior =
            "[Geral]\r\nListaPrecosForn=[|9,99|]\r\nListaObsProdutos=[|ok|]\r\n"
            "Comprador=chave do comprador\r\nObsGeral=velha\r\n";
        a.servidor.colocar(kResposta, anterior);
        FormCotacao& f = a.abrir();
        f.setMObservacoes("nova");
        a.comando("Enviar");
        QCOMPARE(a.servidor.conteudo(kResposta),
                 QByteArray("[Geral]\r\nListaPrecosForn=[|9,99|]\r\nListaObsProdutos=[|ok|]\r\n"
                            "Comprador=chave do comprador\r\nObsGeral=nova\r\nPrazoEntrega=\r\n"
                            "FormaPgto=\r\nPedidoMinimo=0,00\r\nValorFrete=0,00\r\n"));
    }

    // The remarks' room shows once most of it is used; an answer the buyer's reader would cut
    // is refused before anything is written or uploaded.
    void longaDemaisNaoEnvia() {
        Ambiente a;
        const QByteArray anterior = "[Geral]\r\nListaPrecosForn=[|1,00|][|2,00|][|3,00|]\r\n";
        a.servidor.colocar(kResposta, anterior);
        FormCotacao& f = a.abrir();
        auto* espaco = f.findChild<QLabel*>("EspacoObs");
        ModeloGrade* modelo = a.grade()->modelo();
        modelo->setTextos({{1, 7, "", QString(95000, u'a')}, {2, 7, "", QString(95000, u'b')}});
        QVERIFY(espaco->isHidden()); // 190.008 of 299.999
        modelo->setTextos({{3, 7, "", QString(85000, u'c')}});
        QVERIFY(espaco->isVisible());
        QCOMPARE(espaco->text(), "Observações dos produtos: restam 24.987 caracteres.");
        modelo->setTextos({{3, 7, "", QString(110000, u'c')}});
        QCOMPARE(espaco->text(),
                 "Observações dos produtos: 13 caracteres além do que o cliente consegue ler.");

        a.servidor.esquecer();
        a.comando("Enviar");
        QCOMPARE(mensagens().size(), 1);
        QVERIFY(mensagens()[0].startsWith("A cotação não foi enviada: as observações dos "
                                          "produtos passam em 13 caracteres"));
        QVERIFY(mensagens()[0].endsWith("PÃO FRANCÊS: 110.000 caracteres\nAÇÚCAR 1KG: 95.000 "
                                        "caracteres\nCAFÉ 500G: 95.000 caracteres\n"));
        QCOMPARE(a.servidor.conteudo(kResposta), anterior);
        QCOMPARE(a.programa.ler(kResposta), anterior); // not written either
        QVERIFY(a.servidor.comandos().isEmpty());
        QVERIFY(f.isVisible() && f.lModificado);
    }
};

class Sair : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init() { prepara(); }
    void cleanup() { limpa(); }

    void semMudancaNaoPergunta() {
        Ambiente a;
        a.abrir();
        a.comando("Sair");
        QTRY_VERIFY(a.form.isNull());
        QVERIFY(Caixas::mostradas().isEmpty());
    }

    void naoSaiSemEnviar() {
        Ambiente a;
        FormCotacao& f = a.abrir();
        a.digitarNoCampo("MPrazoEntrega", "1");
        Caixas::responde(proposta::textos::PerguntaSair, 2);
        f.close(); // the close box
        QCOMPARE(mensagens(), QStringList{proposta::textos::PerguntaSair});
        QCOMPARE(Caixas::respostasPendentes(), QStringList());
        QTRY_VERIFY(a.form.isNull());
        QVERIFY(!a.servidor.existe(kResposta));
        QVERIFY(!obrigado());
    }

    void simComFalhaFicaAberto() {
        Ambiente a;
        a.rede.servidorFtp = "127.0.0.1:1";
        FormCotacao& f = a.abrir();
        a.digitarNaCelula(2, 6, "4,2");
        Caixas::responde(proposta::textos::PerguntaSair, 1); // "Sim": send first
        // The earlier answer could not be read: replace it.
        Caixas::responde(proposta::textos::SubstituirIlegivel, Caixas::Sim);
        a.comando("Sair");
        QCOMPARE(mensagens(),
                 (QStringList{proposta::textos::PerguntaSair, proposta::textos::SubstituirIlegivel,
                              proposta::textos::ErroEnvio}));
        QCOMPARE(Caixas::respostasPendentes(), QStringList());
        QVERIFY(a.form && f.isVisible());
        QCOMPARE(a.celula(2, 6), "4,2");
        QVERIFY(f.lModificado);
        QVERIFY(!QFile::exists(a.programa.arquivo("Config.ini")));
        QVERIFY(QFile::exists(a.programa.arquivo(kResposta))); // written locally all the same

        // Asked once per leaving: the next leaving asks again.
        Caixas::esqueceMostradas();
        Caixas::responde(proposta::textos::PerguntaSair, 2);
        a.comando("Sair");
        QCOMPARE(mensagens(), QStringList{proposta::textos::PerguntaSair});
        QCOMPARE(Caixas::respostasPendentes(), QStringList());
        QTRY_VERIFY(a.form.isNull());
    }

    void simEnviaESai() {
        Ambiente a;
        a.abrir();
        a.digitarNaCelula(1, 7, "ok");
        Caixas::responde(proposta::textos::PerguntaSair, 1); // send first
        Caixas::responde(proposta::textos::Enviada, Caixas::Ok);
        Caixas::responde(proposta::textos::PerguntaImprimir, 2); // no printing
        a.comando("Sair");
        QCOMPARE(mensagens(),
                 (QStringList{proposta::textos::PerguntaSair, proposta::textos::Enviada,
                              proposta::textos::PerguntaImprimir}));
        QCOMPARE(Caixas::respostasPendentes(), QStringList());
        QTRY_VERIFY(a.form.isNull());
        QVERIFY(a.servidor.existe(kResposta));
        QVERIFY(obrigado());
    }
};

class Impressao : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init() { Caixas::setModoDeTeste(true); }
    void cleanup() { limpa(); }

    void conteudo_data() {
        QTest::addColumn<QString>("localidade");
        QTest::addColumn<QStringList>("subtotais");
        QTest::addColumn<QString>("total");
        QTest::newRow("pt_BR") << "pt_BR" << QStringList{"20,00", "0,00", "15,00"} << "35,00";
        QTest::newRow("en_US") << "en_US" << QStringList{"20.00", "0.00", "15.00"} << "35.00";
    }

    void conteudo() {
        QFETCH(QString, localidade);
        QFETCH(QStringList, subtotais);
        QFETCH(QString, total);
        SetInternational(ModoInternacional::Windows, ItensDaLocalidade::de(QLocale(localidade)));
        Ambiente a({"1", "b1", "Um", "2", "UN", "", "2", "b2", "Dois", "1", "UN", "", "3", "b3",
                    "Três", "5", "KG", ""});
        FormCotacao& f = a.abrir();
        f.MListaProdutos.Cell(1, 6).Text("10");
        f.MListaProdutos.Cell(3, 6).Text("3");
        f.MListaProdutos.Cell(1, 7).Text("obs um");
        f.setMFormaPgto("  30  ");
        f.setMObservacoes("  livre, como digitado  ");
        f.lModificado = false;
        const QStringList antes = QDir(a.programa.path()).entryList(QDir::Files);

        f.Imprimir();
        f.Imprimir(); // twice: the same report, not the rows twice

        const DadosGrade& d = f.findChild<ControleGrade*>("MListaRelatorios")->modelo()->dados();
        QCOMPARE(d.linhas(), 1 + 1 + 3 + 2 + 1 + 1 + 3 + 1);
        QCOMPARE(d.celula(1, 6).texto, "Vlr. Unit.");
        QVERIFY(d.celula(1, 8).negrito && d.celula(1, 8).sublinhado);
        for (int k = 1; k <= 3; ++k) {
            QCOMPARE(d.celula(1 + k, 7).texto, subtotais[k - 1]);
            QCOMPARE(d.celula(1 + k, 8).fundo, k % 2 ? QColor(230, 230, 230) : QColor(Qt::white));
        }
        QCOMPARE(d.celula(2, 8).texto, "obs um");
        // The price as the grid shows it, the subtotals and total as the status bar's cents.
        QCOMPARE(d.celula(2, 6).texto, localidade == "pt_BR" ? "10,00" : "10.00");
        const int totalLinha = 6;
        QCOMPARE(d.celula(totalLinha, 1).texto, "Valor total ->");
        QCOMPARE(d.celula(totalLinha, 6).texto, total);
        QCOMPARE(d.celula(totalLinha + 1, 1).texto, "Número de produtos à cotar ->");
        QCOMPARE(d.celula(totalLinha + 1, 6).texto, "3");
        QCOMPARE(d.celula(totalLinha + 2, 1).texto, "Número de produtos cotados ->");
        QCOMPARE(d.celula(totalLinha + 2, 6).texto, "2");
        for (int l = totalLinha; l <= totalLinha + 2; ++l) {
            QVERIFY(d.celula(l, 3).negrito);
            QVERIFY(!d.celula(l, 3).fundo.isValid());
            QCOMPARE(d.alinhamento(l, 1), 14);
            QVERIFY(d.mesclagemDe(l, 3));
        }
        QCOMPARE(d.mascara(totalLinha, 6), 0);
        QCOMPARE(d.mascara(totalLinha + 2, 6), 5);
        QCOMPARE(d.celula(d.linhas() - 2, 1).texto, "Observações gerais:");
        QCOMPARE(d.celula(d.linhas() - 1, 1).texto, "  livre, como digitado  ");

        const auto& titulos = f.findChild<ControleGrade*>("MListaRelatorios")->relatorio().titulos;
        QCOMPARE(titulos.size(), 9);
        QCOMPARE(titulos[0].texto, "Cotação de produtos");
        QCOMPARE(titulos[0].fonte.tamanho, 18.0);
        QCOMPARE(titulos[2].texto, "Cód. da cotação: " + kNumero + "||");
        QCOMPARE(titulos[3].texto, "Solicitante: Mercado São João||");
        QCOMPARE(titulos[4].texto, "Forma de pgto: 30||");
        QCOMPARE(titulos[6].texto, "Pedido minimo: ||");
        QVERIFY(!titulos[5].todasAsPaginas && titulos[5].fonte.negrito);

        QVERIFY(!f.lModificado);
        QCOMPARE(QDir(a.programa.path()).entryList(QDir::Files), antes);
        QCOMPARE(Caixas::mostradas().size(), 2); // the preview, twice
    }

    void numerosEmQualquerConvencao() {
        SetInternational(ModoInternacional::Windows, ItensDaLocalidade::de(QLocale("pt_BR")));
        Ambiente a({"1", "b", "Um", "10,000", "KG", "", "2", "b", "Dois", "3", "UN", ""});
        FormCotacao& f = a.abrir();
        f.MListaProdutos.Cell(1, 6).Text("12,50");
        f.MListaProdutos.Cell(2, 6).Text("abc");
        f.Imprimir();
        const DadosGrade& d = f.findChild<ControleGrade*>("MListaRelatorios")->modelo()->dados();
        QCOMPARE(d.celula(2, 7).texto, "125,00");
        QCOMPARE(d.celula(3, 7).texto, "0,00");
        QCOMPARE(d.celula(5, 6).texto, "125,00");
        QCOMPARE(d.celula(7, 6).texto, "1"); // the non-number is not counted as quoted
    }

    // What the supplier typed prints as he typed it or as the 0,00 it counts for, never as
    // another number; a quantity keeps its third decimal; the footer carries the vendor's contact
    // line the program was built with, and no telephone without one.
    void impressoComoDigitado() {
        SetInternational(ModoInternacional::Windows, ItensDaLocalidade::de(QLocale("pt_BR")));
        Ambiente a({"1", "b1", "Um", "1,235", "KG", "", "2", "b2", "Dois", "3", "UN", ""});
        FormCotacao& f = a.abrir();
        a.digitarNaCelula(1, 6, "10");
        a.digitarNaCelula(2, 6, "1.234"); // thousands or decimals? refused
        f.Imprimir();
        const DadosGrade& d = f.findChild<ControleGrade*>("MListaRelatorios")->modelo()->dados();
        QCOMPARE(d.textoMostrado(2, 4), "1,235");
        QCOMPARE(d.textoMostrado(2, 6), "10,00");
        QCOMPARE(d.textoMostrado(2, 7), "12,35");
        QCOMPARE(d.textoMostrado(3, 6), "1.234");
        QCOMPARE(d.textoMostrado(3, 7), "0,00");
        QCOMPARE(d.textoMostrado(5, 6), "12,35"); // Valor total
        // The grid shows them alike.
        QCOMPARE(a.grade()->model()->index(0, 4).data().toString(), "1,235");
        QCOMPARE(a.grade()->model()->index(1, 6).data().toString(), "1.234");

        const QString rodape =
            f.findChild<ControleGrade*>("MListaRelatorios")->relatorio().pagina.rodape;
        QCOMPARE(rodape, cotacao::RodapeDoRelatorio(cotacao::ContatoDoFornecedor()));
        if (cotacao::ContatoDoFornecedor().isEmpty())
            QCOMPARE(rodape, "Cotação eletrônica          Página &p de &n");
        QCOMPARE(cotacao::RodapeDoRelatorio(" suporte (11) 5555-0000 - Campinas/SP "),
                 "Cotação eletrônica - suporte (11) 5555-0000 - Campinas/SP          Página &p de "
                 "&n");
    }

    void semProdutos() {
        SetInternational(ModoInternacional::Windows, ItensDaLocalidade::de(QLocale("pt_BR")));
        Ambiente a(QStringList{});
        FormCotacao& f = a.abrir();
        f.Imprimir();
        const DadosGrade& d = f.findChild<ControleGrade*>("MListaRelatorios")->modelo()->dados();
        QCOMPARE(d.celula(3, 6).texto, "0,00");
        QCOMPARE(d.celula(4, 6).texto, "0");
        QCOMPARE(d.celula(5, 6).texto, "0");
    }

    void pdf() {
        SetInternational(ModoInternacional::Windows, ItensDaLocalidade::de(QLocale("pt_BR")));
        QStringList produtos;
        for (int i = 1; i <= 120; ++i)
            produtos << QString::number(i) << "789" << QString("AÇÚCAR Nº %1").arg(i) << "2"
                     << "UN"
                     << "";
        Ambiente a(produtos);
        FormCotacao& f = a.abrir();
        f.MListaProdutos.Cell(1, 6).Text("1,5");
        f.setMFormaPgto("30|60|90"); // bars typed by the supplier print as they are
        f.Imprimir();
        auto* grade = f.findChild<ControleGrade*>("MListaRelatorios");
        const QString arquivo = a.programa.arquivo("relatorio.pdf");
        QVERIFY(SalvaPdfDoRelatorio(grade->modelo()->dados(), grade->relatorio(), arquivo));
        // Where it cannot be written, the failure says why.
        const auto semPasta = SalvaPdfDoRelatorio(grade->modelo()->dados(), grade->relatorio(),
                                                  a.programa.arquivo("falta/relatorio.pdf"));
        QVERIFY(!semPasta);
        QVERIFY(semPasta.falha().naGravacao());
        QVERIFY(semPasta.falha().texto.contains("falta"));

        QProcess info;
        info.start("pdfinfo", {arquivo});
        QVERIFY(info.waitForFinished(30000));
        const QString saida = QString::fromUtf8(info.readAllStandardOutput());
        const QRegularExpressionMatch tamanho =
            QRegularExpression("Page size:\\s+([0-9.]+) x ([0-9.]+)").match(saida);
        QVERIFY(tamanho.hasMatch());
        QVERIFY(tamanho.captured(1).toDouble() > tamanho.captured(2).toDouble()); // landscape
        const int paginas = QRegularExpression("Pages:\\s+(\\d+)").match(saida).captured(1).toInt();
        QVERIFY(paginas >= 3);

        QString todo;
        for (int pagina = 1; pagina <= paginas; ++pagina) {
            QProcess texto;
            texto.start("pdftotext", {"-f", QString::number(pagina), "-l", QString::number(pagina),
                                      "-layout", arquivo, "-"});
            QVERIFY(texto.waitForFinished(30000));
            const QString t = QString::fromUtf8(texto.readAllStandardOutput());
            QVERIFY2(t.contains(QString("Página %1 de %2").arg(pagina).arg(paginas)),
                     qPrintable(t.right(300)));
            QVERIFY(t.contains("Descrição")); // the heading row on every page
            QCOMPARE(t.contains("Cotação de produtos"), pagina == 1);
            QCOMPARE(t.contains("Cód. da cotação: " + kNumero), pagina == 1);
            QCOMPARE(t.contains("Forma de pgto: 30|60|90"), pagina == 1);
            if (pagina == 1)
                QVERIFY(t.contains("AÇÚCAR Nº 1 "));
            todo += t;
        }
        QVERIFY(todo.contains("AÇÚCAR Nº 120 "));
        QVERIFY(QRegularExpression("Valor total ->\\s+3,00").match(todo).hasMatch());
    }
};

// What the supplier sees is what the buyer gets: an edit still open, the amounts, the titles.
class Exatidao : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init() { prepara(); }
    void cleanup() { limpa(); }

    void comandoComCelulaEmEdicao_data() {
        QTest::addColumn<QString>("comando");
        QTest::newRow("enviar") << "Enviar";
        QTest::newRow("imprimir") << "Imprimir";
        QTest::newRow("sair") << "Sair";
    }

    void comandoComCelulaEmEdicao() {
        QFETCH(QString, comando);
        Ambiente a;
        FormCotacao& f = a.abrir();
        a.digitarSemConfirmar(2, 6, "7,25");
        QVERIFY(a.editando());
        if (comando == "Sair") {
            Caixas::responde(proposta::textos::PerguntaSair, 2); // leaving: "Não"
        } else if (comando == "Enviar") {
            Caixas::responde(proposta::textos::Enviada, Caixas::Ok);
            Caixas::responde(proposta::textos::PerguntaImprimir, 2); // no printing
        }
        a.botao(comando);
        QCOMPARE(Caixas::respostasPendentes(), QStringList());
        if (comando == "Enviar") {
            QVERIFY(a.servidor.conteudo(kResposta).contains(
                "ListaPrecosForn=[|0,00|][|7,25|][|0,00|]"));
        } else if (comando == "Imprimir") {
            const DadosGrade& d =
                f.findChild<ControleGrade*>("MListaRelatorios")->modelo()->dados();
            QCOMPARE(d.celula(3, 6).texto, "7,25");
            QCOMPARE(d.celula(3, 7).texto, "348,00"); // 48 × 7,25
        } else {
            QCOMPARE(mensagens(), QStringList{proposta::textos::PerguntaSair});
            QTRY_VERIFY(a.form.isNull());
            // "Não" keeps it as a draft for the next login.
            const auto itens = teste::Certo(banco::Rascunhos(a.banco).le(kNumero, kCNPJ));
            QCOMPARE(itens.size(), 1);
            QCOMPARE(itens[0].valor, "7,25");
        }
    }

    void teclasDuranteEdicao() {
        Ambiente a;
        FormCotacao& f = a.abrir();
        const auto atual = [&] { return a.grade()->currentIndex().row() + 1; };
        a.digitarSemConfirmar(1, 6, "5");
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
        QCOMPARE(atual(), 2); // one row, not two
        QCOMPARE(a.celula(1, 6), "5");
        a.teclar("6");
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(atual(), 3);
        QCOMPARE(a.celula(2, 6), "6");
        a.teclar("7");
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Up);
        QCOMPARE(atual(), 2);
        QCOMPARE(a.celula(3, 6), "7");
        // The one-shot refresh of the opened form keeps an edit in progress and its cell.
        a.teclar("8,1");
        QTest::qWait(1300);
        QVERIFY(a.editando());
        a.teclar("5");
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(a.celula(2, 6), "8,15");
        QCOMPARE(a.grade()->currentIndex().column(), 7);
        QVERIFY(f.lModificado);
    }

    void quantias_data() {
        QTest::addColumn<QString>("localidade");
        QTest::addColumn<QString>("digitado");
        QTest::addColumn<QString>("mostrado");
        QTest::newRow("pt_BR inteiro") << "pt_BR"
                                       << "150"
                                       << "150,00";
        QTest::newRow("pt_BR ponto") << "pt_BR"
                                     << "150.5"
                                     << "150,50";
        QTest::newRow("pt_BR vírgula") << "pt_BR"
                                       << "150,75"
                                       << "150,75";
        QTest::newRow("pt_BR zero") << "pt_BR"
                                    << "0"
                                    << "0,00";
        QTest::newRow("pt_BR vazio") << "pt_BR"
                                     << ""
                                     << "";
        QTest::newRow("en_US vírgula") << "en_US"
                                       << "150,5"
                                       << "150.50";
        QTest::newRow("en_US inteiro") << "en_US"
                                       << "7"
                                       << "7.00";
    }

    void quantias() {
        QFETCH(QString, localidade);
        QFETCH(QString, digitado);
        QFETCH(QString, mostrado);
        SetInternational(ModoInternacional::Windows, ItensDaLocalidade::de(QLocale(localidade)));
        Ambiente a;
        FormCotacao& f = a.abrir();
        a.digitarNoCampo("MPedidoMinimo", digitado);
        QTest::keyClick(f.findChild<QLineEdit*>("MPedidoMinimo"), Qt::Key_Tab); // leaves it
        QCOMPARE(f.MPedidoMinimo(), mostrado);
        a.digitarNoCampo("MValorFrete", digitado); // still in it when sending
        a.botao("Enviar");
        QVERIFY(a.servidor.conteudo(kResposta).endsWith(
            QByteArray("PedidoMinimo=" + mostrado.toLatin1() +
                       "\r\nValorFrete=" + mostrado.toLatin1() + "\r\n")));
    }
};

// Drafts: what was typed survives leaving without sending, a killed program, a failed disk.
// The answer sent earlier is what the form opens with, whatever the server does; where it is
// unknown, sending asks before replacing it.
class RespostaJaEnviada : public QObject {
    Q_OBJECT

    // The first product priced 12,50 and sent from here: the receipt and the local copy.
    static QByteArray enviaDaqui(Ambiente& a) {
        a.abrir();
        a.digitarNaCelula(1, 6, "12,5");
        Caixas::responde(proposta::textos::Enviada, Caixas::Ok);
        Caixas::responde(proposta::textos::PerguntaImprimir, 2);
        a.comando("Enviar");
        if (!QTest::qWaitFor([&] { return a.form.isNull(); }))
            qWarning("the first sending did not end");
        Caixas::esqueceMostradas();
        return a.servidor.conteudo(kResposta);
    }

    static QString quando(const banco::Recibo& r) {
        return DateToText(r.quando.date()) + " às " + r.quando.time().toString("HH:mm");
    }

private Q_SLOTS:
    void init() { prepara(); }
    void cleanup() { limpa(); }

    void servidorNaoEntrega_data() {
        QTest::addColumn<QString>("falha");
        QTest::addColumn<bool>("copia"); // the local copy is the one of the receipt
        for (const char* falha : {"recusa", "corta", "fora do ar"}) {
            QTest::addRow("%s, com a cópia daqui", falha) << QString(falha) << true;
            QTest::addRow("%s, sem cópia", falha) << QString(falha) << false;
        }
    }

    void servidorNaoEntrega() {
        QFETCH(QString, falha);
        QFETCH(bool, copia);
        Ambiente a;
        const QByteArray enviada = enviaDaqui(a);
        QCOMPARE(Caixas::respostasPendentes(), QStringList());
        ServidorFtpTeste::Opcoes opcoes;
        opcoes.recusaRetr = falha == "recusa";
        opcoes.cortaRetr = falha == "corta" ? 20 : 0;
        ServidorFtpTeste ruim(opcoes);
        ruim.colocar(kResposta, enviada);
        a.rede.servidorFtp = falha == "fora do ar" ? "127.0.0.1:1" : ruim.endereco();
        if (!copia) // changed here after the sending (a failed sending rewrites it)
            a.programa.escrever(kResposta, "[Geral]\r\nListaPrecosForn=[|9,99|]\r\n");

        FormCotacao& f = a.abrir();
        const auto recibo = teste::Certo(banco::Recibos(a.banco).ultimo(kNumero, kCNPJ));
        QVERIFY(recibo);
        const QString situacao = f.findChild<QLabel*>("Situacao")->text();
        QVERIFY(Caixas::mostradas().isEmpty());
        QVERIFY(!f.lModificado);
        if (copia) {
            QCOMPARE(a.celula(1, 6), "12,50");
            QCOMPARE(situacao, "Resposta enviada em " + quando(*recibo) +
                                   " carregada deste computador; o servidor não respondeu.");
            return;
        }
        QCOMPARE(a.celula(1, 6), "0,00");
        QCOMPARE(situacao, proposta::textos::RespostaIlegivel);

        // Sending asks first; its default keeps the earlier answer.
        a.digitarNaCelula(2, 6, "4");
        ruim.esquecer();
        a.comando("Enviar");
        QCOMPARE(mensagens(), QStringList{proposta::textos::SubstituirIlegivel});
        QCOMPARE(Caixas::mostradas()[0].resposta, int(Caixas::Nao));
        QVERIFY(!ruim.comandos().join(' ').contains("STOR"));
        QCOMPARE(ruim.conteudo(kResposta), enviada);
        QVERIFY(f.isVisible() && f.lModificado);
    }

    // A download that stalls ends at the stall limit, and the copy sent from here stands in.
    void downloadParado() {
        DiretorioTeste programa;
        const QByteArray enviada = "[Geral]\r\nListaPrecosForn=[|12,50|]\r\n";
        programa.escrever(kResposta, enviada);
        ServidorFtpTeste::Opcoes opcoes;
        opcoes.limiteEnvio = 1;
        ServidorFtpTeste lento(opcoes);
        lento.colocar(kResposta, enviada + QByteArray(200, ';'));
        using namespace remoto::Servidor;
        remoto::PedidoFtp pedido{lento.endereco(),
                                 Usuario,
                                 Senha,
                                 Diretorio,
                                 kResposta,
                                 programa.arquivo(kResposta),
                                 {}};
        pedido.limites.parada = std::chrono::seconds(1);
        const banco::Recibo recibo = proposta::ReciboDoEnvio(kNumero, kCNPJ, kResposta, enviada);
        const proposta::RespostaAnterior r = proposta::BaixaRespostaAnterior(pedido, recibo);
        QCOMPARE(r.origem, proposta::RespostaAnterior::Origem::CopiaLocal);
        QCOMPARE(r.copia, enviada);
        QCOMPARE(programa.ler(kResposta), enviada);
    }

    void servidorDiferente_data() {
        QTest::addColumn<bool>("daqui");
        QTest::newRow("Sim: a enviada daqui") << true;
        QTest::newRow("Não: a do servidor") << false;
    }

    void servidorDiferente() {
        QFETCH(bool, daqui);
        Ambiente a;
        const QByteArray enviada = enviaDaqui(a);
        QCOMPARE(Caixas::respostasPendentes(), QStringList());
        const QByteArray outra = "[Geral]\r\nListaPrecosForn=[|0,01|][|0,01|][|0,01|]\r\n";
        a.servidor.colocar(kResposta, outra);
        Caixas::responde(inicio(proposta::textos::RespostaDiferente), daqui ? 1 : 2);
        FormCotacao& f = a.abrir();
        const auto recibo = teste::Certo(banco::Recibos(a.banco).ultimo(kNumero, kCNPJ));
        QVERIFY(recibo);
        QCOMPARE(mensagens(),
                 QStringList{"A resposta no servidor não é a que foi enviada deste "
                             "computador em " +
                             quando(*recibo) + ". Deseja ver a que foi enviada daqui?"});
        QCOMPARE(Caixas::respostasPendentes(), QStringList());
        QCOMPARE(a.celula(1, 6), daqui ? "12,50" : "0,01");
        QCOMPARE(a.celula(2, 6), daqui ? "0,00" : "0,01");
        QCOMPARE(a.programa.ler(kResposta), daqui ? enviada : outra);
        QVERIFY(!f.lModificado);
    }
};

class Rascunhos : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init() { prepara(); }
    void cleanup() { limpa(); }

    void mudancasChegamAoBanco() {
        Ambiente a;
        a.abrir();
        a.digitarNaCelula(2, 6, "9,9");
        a.digitarNaCelula(3, 7, "marca Ç");
        a.digitarNoCampo("MPrazoEntrega", "15");
        // Saved within a second, without anything else happening.
        QTRY_COMPARE_WITH_TIMEOUT(teste::Certo(banco::Rascunhos(a.banco).le(kNumero, kCNPJ)).size(),
                                  3, 1500);
        const auto itens = teste::Certo(banco::Rascunhos(a.banco).le(kNumero, kCNPJ));
        QCOMPARE(itens[0].campo, "MPrazoEntrega");
        QCOMPARE(itens[0].valor, "15");
        QCOMPARE(itens[1].valor, "9,9");
        QCOMPARE(itens[1].produto, "788 PLU:1002"); // the product's identity: barcode and PLU
        QCOMPARE(itens[2].valor, "marca Ç");
        QVERIFY(itens[2].alterado.secsTo(QDateTime::currentDateTime()) < 60);
    }

    void recuperacao_data() {
        QTest::addColumn<bool>("recupera");
        QTest::newRow("Sim") << true;
        QTest::newRow("Não") << false;
    }

    void recuperacao() {
        QFETCH(bool, recupera);
        Ambiente a;
        a.abrir();
        a.digitarNaCelula(1, 6, "3,5");
        a.digitarNoCampo("MFormaPgto", "28");
        Caixas::responde(proposta::textos::PerguntaSair, 2); // leaving: "Não"
        a.comando("Sair");
        QTRY_VERIFY(a.form.isNull());
        QCOMPARE(Caixas::respostasPendentes(), QStringList());

        Caixas::esqueceMostradas();
        Caixas::responde(inicio(proposta::textos::RecuperarRascunho), recupera ? 1 : 2);
        FormCotacao& f = a.abrir();
        QCOMPARE(mensagens().size(), 1);
        QVERIFY(mensagens()[0].startsWith("Há preços e dados digitados em "));
        QCOMPARE(Caixas::respostasPendentes(), QStringList());
        QCOMPARE(a.celula(1, 6), recupera ? "3,5" : "0,00");
        QCOMPARE(f.MFormaPgto(), recupera ? "28" : "");
        QCOMPARE(f.lModificado, recupera);
        QCOMPARE(teste::Certo(banco::Rascunhos(a.banco).le(kNumero, kCNPJ)).isEmpty(), !recupera);
    }

    void limpoDepoisDoEnvio() {
        Ambiente a;
        a.abrir();
        a.digitarNaCelula(1, 6, "3,5");
        Caixas::responde(proposta::textos::Enviada, Caixas::Ok);
        Caixas::responde(proposta::textos::PerguntaImprimir, 2);
        a.comando("Enviar");
        QTRY_VERIFY(a.form.isNull());
        QCOMPARE(Caixas::respostasPendentes(), QStringList());
        QVERIFY(teste::Certo(banco::Rascunhos(a.banco).le(kNumero, kCNPJ)).isEmpty());
        const auto recibo = teste::Certo(banco::Recibos(a.banco).ultimo(kNumero, kCNPJ));
        QVERIFY(recibo);
        const QByteArray enviado = a.servidor.conteudo(kResposta);
        QCOMPARE(recibo->tamanho, enviado.size());
        QCOMPARE(recibo->sha256,
                 QCryptographicHash::hash(enviado, QCryptographicHash::Sha256).toHex());

        // The next login asks nothing and tells when the last answer went out.
        Caixas::esqueceMostradas();
        FormCotacao& f = a.abrir();
        QVERIFY(Caixas::mostradas().isEmpty());
        QCOMPARE(f.findChild<QLabel*>("Situacao")->text(),
                 "Última resposta enviada em " + DateToText(recibo->quando.date()) + " às " +
                     recibo->quando.time().toString("HH:mm"));
        // It takes the message line's room while there is no message, and gives it back.
        const auto* situacao = f.findChild<QLabel*>("Situacao");
        const auto* linha = f.findChild<QLabel*>("Mensagem");
        QVERIFY(situacao->isVisible() && !linha->isVisible());
        a.digitarNoCampo("Localizar", "CAF");
        QVERIFY(!mensagem(f).isEmpty());
        QVERIFY(!situacao->isVisible() && linha->isVisible());
    }

    void discoCheioNaoEnvia() {
        DiscoPequeno disco;
        if (!disco.montado())
            QSKIP("this machine does not let the tests mount a small disk");
        Ambiente a;
        QFile::copy(a.programa.arquivo(kNumero + ".cot"), disco.path() + "/" + kNumero + ".cot");
        const QByteArray anterior = "[Geral]\r\nObsGeral=resposta anterior\r\n";
        QFile velha(disco.path() + "/" + kResposta);
        QVERIFY(velha.open(QIODevice::WriteOnly) && velha.write(anterior) > 0);
        velha.close();
        DefinePastaDoPrograma(disco.path());
        FormCotacao& f = a.abrir();
        disco.encher(512);
        a.digitarNaCelula(1, 6, "3,5");
        a.comando("Enviar");

        QCOMPARE(mensagens(), QStringList{nucleo::textos::NaoGravou(nucleo::Falha::Tipo::DiscoCheio,
                                                                    disco.path())});
        QVERIFY(!a.servidor.existe(kResposta)); // nothing uploaded
        QVERIFY(velha.open(QIODevice::ReadOnly));
        QCOMPARE(velha.readAll(), anterior);
        QVERIFY(f.isVisible() && f.lModificado);
        delete a.form.data(); // before the disk goes
        DefinePastaDoPrograma(a.programa.path());
    }

    // A damaged file of drafts is moved aside, the supplier told, and drafts work again.
    void bancoDanificado() {
        Ambiente a;
        a.programa.escrever("Cotacao.db", QByteArray(4096, 'z'));
        FormCotacao& f = a.abrir();
        const QString aoLado = a.programa.arquivo("Cotacao.db") + ".danificado-" +
                               QDate::currentDate().toString("yyyyMMdd");
        QCOMPARE(mensagens(), QStringList{proposta::textos::BancoDanificado.arg(
                                  QDir::toNativeSeparators(a.programa.arquivo("Cotacao.db")),
                                  QDir::toNativeSeparators(aoLado))});
        a.digitarNaCelula(1, 6, "2");
        QTRY_COMPARE(teste::Certo(banco::Rascunhos(a.banco).le(kNumero, kCNPJ)).size(), 1);
        QVERIFY(f.findChild<QLabel*>("Situacao")->text().isEmpty());
    }

    // Drafts that cannot be kept are told at the opening and on leaving; a receipt that cannot
    // be kept is told after the success.
    void semOndeGuardar() {
        Ambiente a;
        BancoDeOutraVersao(a.programa.arquivo("Cotacao.db"));
        FormCotacao& f = a.abrir();
        const QString arquivo = QDir::toNativeSeparators(a.programa.arquivo("Cotacao.db"));
        QCOMPARE(mensagens(), QStringList{proposta::textos::RascunhosIndisponiveis.arg(
                                  proposta::textos::BancoVersaoNova.arg(arquivo))});
        a.digitarNaCelula(1, 6, "2");

        Caixas::esqueceMostradas();
        // Leaving without sending: the window stays by default.
        Caixas::responde(proposta::textos::PerguntaSair, 2);
        a.comando("Sair");
        QCOMPARE(Caixas::respostasPendentes(), QStringList());
        QCOMPARE(mensagens().size(), 2);
        QCOMPARE(mensagens()[0], proposta::textos::PerguntaSair);
        QVERIFY(mensagens()[1].startsWith("Não foi possível guardar o que foi digitado"));
        QCOMPARE(Caixas::mostradas()[1].resposta, int(Caixas::Nao));
        QVERIFY(a.form && f.isVisible());
        QCOMPARE(a.celula(1, 6), "2");

        Caixas::esqueceMostradas();
        Caixas::responde(proposta::textos::Enviada, Caixas::Ok);
        Caixas::responde(inicio(proposta::textos::ReciboNaoGuardado), Caixas::Ok);
        Caixas::responde(proposta::textos::PerguntaImprimir, 2);
        a.comando("Enviar");
        QCOMPARE(Caixas::respostasPendentes(), QStringList());
        QCOMPARE(mensagens().size(), 3);
        QCOMPARE(mensagens()[0], proposta::textos::Enviada);
        QVERIFY(mensagens()[1].startsWith("A cotação foi enviada, mas o recibo do envio não foi "
                                          "guardado neste computador ("));
        QTRY_VERIFY(a.form.isNull());
    }

    // A window that goes while its draft still cannot be saved tells that in its own status
    // bar to the end, and goes whole.
    void fechadaSemOndeGuardar() {
        Ambiente a;
        BancoDeOutraVersao(a.programa.arquivo("Cotacao.db"));
        FormCotacao& f = a.abrir();
        Caixas::esqueceMostradas();
        a.digitarNaCelula(1, 6, "2");
        QTRY_VERIFY(!f.findChild<QLabel*>("Situacao")->text().isEmpty());
        delete a.form.data();
        QVERIFY(a.form.isNull());
        QVERIFY(mensagens().isEmpty());
    }

    void sucessoAntesDasCondicoes() {
        Ambiente a;
        QDir(a.programa.path()).mkdir("Config.ini"); // a settings file that cannot be written
        a.abrir();
        a.digitarNoCampo("MFormaPgto", "30");
        Caixas::responde(proposta::textos::Enviada, Caixas::Ok);
        Caixas::responde(proposta::textos::TermosNaoGuardados, Caixas::Ok);
        Caixas::responde(proposta::textos::PerguntaImprimir, 2);
        a.comando("Enviar");
        QCOMPARE(Caixas::respostasPendentes(), QStringList());
        const QStringList textos = mensagens();
        QCOMPARE(textos.size(), 3);
        QCOMPARE(textos[0], proposta::textos::Enviada);
        QVERIFY(textos[1].startsWith(proposta::textos::TermosNaoGuardados));
        QCOMPARE(textos[2], proposta::textos::PerguntaImprimir);
        QVERIFY(a.servidor.existe(kResposta));
        QTRY_VERIFY(a.form.isNull());
        QVERIFY(obrigado());
    }
};

// The form on screens of every size and scale (a screen of W × H at 150 % gives the window
// W/1.5 × H/1.5 of Qt's pixels): at its full size, fixed, wherever that fits; elsewhere within
// the screen, the grid showing fewer rows, and every control reachable.
class NaTela : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init() { prepara(); }
    void cleanup() { limpa(); }

    void cabe_data() {
        QTest::addColumn<QRect>("tela"); // the screen's available area
        QTest::addColumn<bool>("inteira");
        QTest::newRow("1366x768 a 100 %") << QRect(0, 0, 1366, 728) << true;
        QTest::newRow("1280x800 a 100 %") << QRect(0, 0, 1280, 760) << true;
        QTest::newRow("1024x768 a 100 %") << QRect(0, 0, 1024, 728) << true;
        QTest::newRow("1366x768 a 125 %") << QRect(0, 0, 1093, 582) << false;
        QTest::newRow("1024x600 a 150 %") << QRect(0, 0, 683, 400) << false;
        QTest::newRow("800x600 a 150 %, deslocada") << QRect(800, 24, 533, 376) << false;
        QTest::newRow("1024x600 a 200 %") << QRect(0, 0, 512, 300) << false;
        QTest::newRow("800x600 a 200 %") << QRect(0, 0, 400, 300) << false;
    }

    void cabe() {
        QFETCH(QRect, tela);
        QFETCH(bool, inteira);
        Ambiente a;
        FormCotacao& f = a.abrir();
        // As it opened on the test platform's own screen (800 × 600), then on the one of the row.
        for (const QRect& area : {f.screen()->availableGeometry(), tela}) {
            f.cabeEm(area);
            QApplication::processEvents(); // laid out again
            QVERIFY(!(f.windowFlags() & Qt::WindowMaximizeButtonHint));
            QCOMPARE(f.minimumSize(), f.maximumSize()); // not resizable
            const QRect janela = janelas::RetanguloNaTela(&f);
            QVERIFY2(area.contains(janela), qPrintable(texto(janela) + " em " + texto(area)));
            auto* rolagem = f.findChild<QScrollArea*>("Rolagem");
            QVERIFY(rolagem);
            // Every control of the form, scrolled into sight where the form scrolls.
            QWidget* controles = rolagem->widget();
            for (QWidget* w : controles->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
                if (w->isHidden())
                    continue;
                if (w->objectName() == "MListaProdutos") // as wide as the form: seen by cells
                    continue;
                // One larger than what shows is reached from its top left corner.
                const QSize vista = rolagem->viewport()->size();
                if (w->width() <= vista.width() && w->height() <= vista.height())
                    rolagem->ensureVisible(w->geometry().center().x(), w->geometry().center().y(),
                                           w->width() / 2 + 1, w->height() / 2 + 1);
                else
                    rolagem->ensureVisible(w->x(), w->y(), 1, 1);
                const QRect r(w->mapToGlobal(QPoint(0, 0)), w->size());
                QVERIFY2(visivel(rolagem, r, area),
                         qPrintable(QString("%1 \"%2\" at %3 in %4")
                                        .arg(w->metaObject()->className(), textoDe(w), texto(r),
                                             texto(area))));
            }
            // The grid: its first price and its remarks, and a few rows of it.
            auto* grade = a.grade();
            for (const int coluna : {proposta::kColunaPreco, proposta::kColunaObs}) {
                const QModelIndex i = grade->model()->index(0, coluna);
                grade->scrollTo(i);
                const QRect celula = grade->visualRect(i);
                const QPoint noForm = grade->viewport()->mapTo(controles, celula.center());
                rolagem->ensureVisible(noForm.x(), noForm.y(), celula.width() / 2 + 2,
                                       celula.height() / 2 + 2);
                const QRect r(grade->viewport()->mapToGlobal(celula.topLeft()), celula.size());
                QVERIFY2(
                    visivel(rolagem, r, area),
                    qPrintable(
                        QString("coluna %1 at %2 in %3").arg(coluna).arg(texto(r), texto(area))));
            }
            QVERIFY(grade->viewport()->height() >= 3 * grade->rowHeight(0));
            // The status bar with its total, the menus and the tool bar are never scrolled away.
            for (QWidget* w : {static_cast<QWidget*>(f.findChild<QLabel*>("Resumo")),
                               static_cast<QWidget*>(f.menuBar()),
                               static_cast<QWidget*>(f.findChild<QLineEdit*>("Localizar"))}) {
                QVERIFY(w && w->isVisible());
                const QRect r(w->mapToGlobal(QPoint(0, 0)), w->size());
                QVERIFY2(area.contains(r), qPrintable(textoDe(w) + " at " + texto(r)));
            }
        }
        // Where the whole form fits it keeps its size and every row of its grid.
        const bool rola = f.findChild<QScrollArea*>("Rolagem")->widget()->height() <
                          cotacao::TelaCotacao::TamanhoInteiro().height();
        QCOMPARE(!rola, inteira);
    }

    // The keyboard's path from Localizar through the terms to the supplier's remarks: the
    // scrolling around the form is no stop of it, and on a small screen each field comes into
    // sight as the focus reaches it.
    void tabPelosTermos() {
        Ambiente a;
        FormCotacao& f = a.abrir();
        const QRect tela(0, 0, 512, 300);
        f.cabeEm(tela);
        QApplication::processEvents();
        auto* rolagem = f.findChild<QScrollArea*>("Rolagem");
        f.findChild<QLineEdit*>("Localizar")->setFocus();
        QStringList cadeia;
        for (int i = 0; i < 5; ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QWidget* w = QApplication::focusWidget();
            QVERIFY(w);
            cadeia << w->objectName();
            const QRect r(w->mapToGlobal(QPoint(0, 0)), w->size());
            QVERIFY2(visivel(rolagem, r, tela), qPrintable(w->objectName() + " at " + texto(r)));
        }
        QCOMPARE(cadeia, (QStringList{"MFormaPgto", "MPrazoEntrega", "MPedidoMinimo", "MValorFrete",
                                      "MObservacoes"}));
    }

private:
    static QString texto(const QRect& r) {
        return QString("%1x%2+%3+%4").arg(r.width()).arg(r.height()).arg(r.x()).arg(r.y());
    }
    static QString textoDe(QWidget* w) {
        if (auto* l = qobject_cast<QLabel*>(w))
            return l->text();
        if (auto* g = qobject_cast<QGroupBox*>(w))
            return g->title();
        return w->objectName();
    }
    // Within the screen and within what the scroll area shows: whole where it is smaller than
    // that, from its top left corner where it is not (a frame or a field as wide as the form).
    static bool visivel(QScrollArea* rolagem, const QRect& r, const QRect& tela) {
        const QRect vista =
            QRect(rolagem->viewport()->mapToGlobal(QPoint(0, 0)), rolagem->viewport()->size()) &
            tela;
        if (r.width() <= vista.width() && r.height() <= vista.height())
            return vista.contains(r);
        return vista.contains(r.topLeft());
    }
};

COTACAO_TEST_MAIN_JANELAS(Preenchimento, NaTela, Envio, Sair, Impressao, Exatidao,
                          RespostaJaEnviada, Rascunhos, ComandosDoForm, ModeloDaGrade)
#include "tst_cotacao.moc"
