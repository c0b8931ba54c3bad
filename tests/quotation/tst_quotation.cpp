#include "access/FormObrigado.h"
#include "grid/ControleGrade.h"
#include "quotation/FormCotacao.h"
#include "quotation/Textos.h"
#include "quotation/formats/Lista.h"
#include "remote/Cp1252.h"
#include "runtime/MessageBox.h"
#include "runtime/Regional.h"
#include "tests/support/DiretorioTeste.h"
#include "tests/support/ServidorFtpTeste.h"
#include "tests/support/TestMain.h"

#include <QAction>
#include <QMenuBar>
#include <QTcpServer>
#include <QTest>

namespace {

const QString kNumero = "2026000000012345";
const QString kCNPJ = "11222333000181";
const QString kResposta = kNumero + kCNPJ + ".cot";

QByteArray cotacao(const QStringList& produtos) {
    return "[Geral]\r\nSolicitante=  Mercado S\xe3o Jo\xe3o  \r\nSenhaCotacao=37214508\r\n"
           "ListaProdutos=" +
           toCp1252(EscreveLista(produtos)) + "\r\n";
}

const QStringList kTres{"1001", "789", "AÇÚCAR 1KG",  "120",    "UN", "x",
                        "1002", "788", "CAFÉ 500G",   "48",     "UN", "x",
                        "1003", "787", "PÃO FRANCÊS", "12,500", "KG", "x"};

// A quotation form over a real FTP server, in a fresh program directory.
struct Ambiente {
    ServidorFtpTeste servidor;
    DiretorioTeste programa;
    QTcpServer internet;
    QPointer<FormCotacao> form;
    Rede rede;

    explicit Ambiente(const QStringList& produtos = kTres) {
        programa.escrever(kNumero + ".cot", cotacao(produtos));
        internet.listen(QHostAddress::LocalHost);
        rede.servidorFtp = servidor.endereco();
        rede.conexao.host = {"127.0.0.1", internet.serverPort()};
        rede.conexao.dormir = [](std::chrono::milliseconds) {};
    }

    FormCotacao& abrir() {
        form = new FormCotacao(rede);
        form->setQuitOnClose(true);
        form->cCodCotacao = kNumero;
        form->cCNPJ = kCNPJ;
        form->Setup();
        form->Show();
        if (!QTest::qWaitForWindowActive(form))
            qWarning("the form did not become active");
        return *form;
    }

    ControleGrade* grade() const { return form->findChild<ControleGrade*>("MListaProdutos"); }
    QString celula(int linha, int coluna) const {
        return form->MListaProdutos.Cell(linha, coluna).Text().toString();
    }

    // Clicks a cell and types into it as a person would; Enter commits.
    void digitarNaCelula(int linha, int coluna, const QString& texto) {
        const QRect r = grade()->visualRect(grade()->model()->index(linha - 1, coluna));
        QTest::mouseClick(grade()->viewport(), Qt::LeftButton, {}, r.center());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_F2);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backspace);
        for (const QChar c : texto)
            QTest::keyClick(QApplication::focusWidget(), c.toLatin1());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QTRY_COMPARE(celula(linha, coluna), texto);
    }

    void digitarNoCampo(const char* nome, const QString& texto) {
        auto* campo = form->findChild<QLineEdit*>(nome);
        QTest::mouseClick(campo, Qt::LeftButton);
        QTest::keyClicks(campo, texto);
    }

    void comando(const QString& texto) {
        for (QAction* a : form->menuBar()->actions().first()->menu()->actions())
            if (a->text() == texto)
                a->trigger();
    }
};

QStringList mensagens() {
    QStringList textos;
    for (const auto& m : MessageBox::shown())
        textos << m.text;
    return textos;
}

FormObrigado* obrigado() {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* f = dynamic_cast<FormObrigado*>(w); f && f->isVisible())
            return f;
    return nullptr;
}

void limpa() {
    destroiJanelas();
    SetInternational(InternationalMode::Windows, LocaleItems::from(QLocale::c()));
}

} // namespace

class Preenchimento : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init() {
        MessageBox::setTestMode(true);
        SetInternational(InternationalMode::Windows, LocaleItems::from(QLocale("pt_BR")));
    }
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
        QVERIFY(MessageBox::shown().isEmpty());
    }
};

class Envio : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init() {
        MessageBox::setTestMode(true);
        SetInternational(InternationalMode::Windows, LocaleItems::from(QLocale("pt_BR")));
    }
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
        SetInternational(InternationalMode::Windows, LocaleItems::from(QLocale(localidade)));
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

        MessageBox::setNextAnswer(MessageBox::Ok);
        MessageBox::setNextAnswer(2); // "Não" to printing
        a.comando("&Enviar");

        QCOMPARE(mensagens(),
                 (QStringList{TextosCotacao::Enviada, TextosCotacao::PerguntaImprimir}));
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
        a.comando("&Enviar");
        QCOMPARE(mensagens(), QStringList{TextosCotacao::SemConexao});
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
        a.comando("&Enviar");
        QCOMPARE(a.servidor.conteudo(kResposta),
                 QByteArray("[Geral]\r\nListaPrecosForn=[|9,99|]\r\nListaObsProdutos=[|ok|]\r\n"
                            "Comprador=chave do comprador\r\nObsGeral=nova\r\nPrazoEntrega=\r\n"
                            "FormaPgto=\r\nPedidoMinimo=0,00\r\nValorFrete=0,00\r\n"));
    }
};

class Saida : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init() {
        MessageBox::setTestMode(true);
        SetInternational(InternationalMode::Windows, LocaleItems::from(QLocale("pt_BR")));
    }
    void cleanup() { limpa(); }

    void semMudancaNaoPergunta() {
        Ambiente a;
        a.abrir();
        a.comando("Sai&r");
        QTRY_VERIFY(a.form.isNull());
        QVERIFY(MessageBox::shown().isEmpty());
    }

    void naoSaiSemEnviar() {
        Ambiente a;
        FormCotacao& f = a.abrir();
        a.digitarNoCampo("MPrazoEntrega", "1");
        MessageBox::setNextAnswer(2);
        f.close(); // the close box
        QCOMPARE(mensagens(), QStringList{TextosCotacao::PerguntaSair});
        QTRY_VERIFY(a.form.isNull());
        QVERIFY(!a.servidor.existe(kResposta));
        QVERIFY(!obrigado());
    }

    void simComFalhaFicaAberto() {
        Ambiente a;
        a.rede.servidorFtp = "127.0.0.1:1";
        FormCotacao& f = a.abrir();
        a.digitarNaCelula(2, 6, "4,2");
        MessageBox::setNextAnswer(1); // "Sim": send first
        a.comando("Sai&r");
        QCOMPARE(mensagens(), (QStringList{TextosCotacao::PerguntaSair, TextosCotacao::ErroEnvio}));
        QVERIFY(a.form && f.isVisible());
        QCOMPARE(a.celula(2, 6), "4,2");
        QVERIFY(f.lModificado);
        QVERIFY(!QFile::exists(a.programa.arquivo("Config.ini")));
        QVERIFY(QFile::exists(a.programa.arquivo(kResposta))); // written locally all the same

        // Asked once per leaving: the next leaving asks again.
        MessageBox::clearShown();
        MessageBox::setNextAnswer(2);
        a.comando("Sai&r");
        QCOMPARE(mensagens(), QStringList{TextosCotacao::PerguntaSair});
        QTRY_VERIFY(a.form.isNull());
    }

    void simEnviaESai() {
        Ambiente a;
        a.abrir();
        a.digitarNaCelula(1, 7, "ok");
        MessageBox::setNextAnswer(1);
        a.comando("Sai&r");
        QCOMPARE(mensagens(), (QStringList{TextosCotacao::PerguntaSair, TextosCotacao::Enviada,
                                           TextosCotacao::PerguntaImprimir}));
        QTRY_VERIFY(a.form.isNull());
        QVERIFY(a.servidor.existe(kResposta));
        QVERIFY(obrigado());
    }
};

COTACAO_TEST_MAIN(Preenchimento, Envio, Saida)
#include "tst_quotation.moc"
