// "Minhas cotações": the answers sent from this computer and the drafts, from the login form.
#include "tests/login/tst_minhas.h"

#include "acesso/Textos.h"
#include "banco/BancoLocal.h"
#include "banco/Rascunhos.h"
#include "banco/Recibos.h"
#include "janelas/Caixas.h"
#include "janelas/Formato.h"
#include "login/FormLogin.h"
#include "login/FormMinhasCotacoes.h"
#include "login/Textos.h"
#include "nucleo/Regional.h"
#include "tests/support/Certo.h"
#include "tests/support/DiretorioTeste.h"
#include "tests/support/TestMainJanelas.h"

#include <QAbstractItemModel>
#include <QCompleter>
#include <QCryptographicHash>
#include <QDir>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTableView>
#include <QTest>

using namespace janelas;
using namespace nucleo;

namespace {

const QString kA = "2026000000000001";
const QString kB = "2026000000000002";
const QString kC = "2026000000000003";
const QString kD = "2026000000000004";
const QString kCNPJ = "11222333000181";
const QDateTime kBase(QDate(2026, 5, 2), QTime(14, 0));

QByteArray resposta(const QString& preco) {
    return "[Geral]\r\nListaPrecosForn=[" + preco.toLatin1() + "]\r\n";
}

banco::Recibo recibo(const QString& numero, const QDateTime& quando, const QByteArray& bytes,
                     const QString& solicitante, int cotados, int produtos, qint64 total) {
    banco::Recibo r;
    r.quando = quando;
    r.cotacao = numero;
    r.cnpj = kCNPJ;
    r.arquivo = numero + kCNPJ + ".cot";
    r.tamanho = bytes.size();
    r.sha256 = QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex();
    r.solicitante = solicitante;
    r.cotados = cotados;
    r.produtos = produtos;
    r.total = total;
    return r;
}

// A program folder whose database holds answers of several quotations and drafts, and a login
// form over it.
struct Ambiente {
    DiretorioTeste programa;
    banco::BancoLocal banco{programa.arquivo("Cotacao.db")};
    QPointer<FormLogin> form;
    QList<banco::Recibo> impressos;

    explicit Ambiente(bool comImpressao = true) {
        banco::Recibos recibos(banco);
        // A sent twice, the copy here being the second sending; B sent by an earlier version;
        // C sent, then a draft begun; D only a draft.
        teste::Certo(recibos.registra(
            recibo(kA, kBase, resposta("1,00"), "Mercado Sul", 3, 3500, 123456789)));
        teste::Certo(
            recibos.registra(recibo(kB, kBase.addSecs(600), resposta("2,00"), "", 0, 0, 0)));
        teste::Certo(recibos.registra(
            recibo(kA, kBase.addSecs(1200), resposta("1,50"), "Mercado Sul", 12, 3500, 4250)));
        teste::Certo(recibos.registra(
            recibo(kC, kBase.addSecs(1800), resposta("3,00"), "Padaria Pão Quente", 1, 1, 300)));
        programa.escrever(kA + kCNPJ + ".cot", resposta("1,50"));
        programa.escrever(kC + kCNPJ + ".cot", resposta("3,00"));
        teste::Certo(banco::Rascunhos(banco).guarda(
            kC, kCNPJ, {{"preco", 1, "p", "3,10", kBase.addSecs(2400)}}));
        teste::Certo(banco::Rascunhos(banco).guarda(kD, kCNPJ,
                                                    {{"preco", 1, "p", "9", kBase.addSecs(300)}}));
        // The quotation file of D, in Windows-1252 as the buyer publishes it.
        programa.escrever(kD + ".cot", "[Geral]\r\nSolicitante=  A\xe7ougue Central \r\n"
                                       "SenhaCotacao=37214508\r\nListaProdutos=\r\n");

        FormLogin::ImprimeResposta imprime;
        if (comImpressao)
            imprime = [this](const banco::Recibo& r, const QByteArray&) { impressos << r; };
        form = new FormLogin(remoto::Rede{}, {}, &banco, imprime);
        form->setQuitOnClose(false);
        form->Setup();
        form->Show();
    }

    // The form takes its completer's popup with it, which the tests' sweep of the windows left
    // would otherwise delete from under the completer.
    ~Ambiente() { delete form.data(); }

    login::FormMinhasCotacoes* abrir() {
        if (!QTest::qWaitForWindowActive(form))
            return nullptr;
        QTest::keyClick(form, Qt::Key_F3);
        auto* lista = dynamic_cast<login::FormMinhasCotacoes*>(
            form->findChild<QWidget*>("ListaMinhasCotacoes"));
        // The window system reports the window active before the application takes it as such.
        return lista && QTest::qWaitFor([&] { return QApplication::activeWindow() == lista; })
                   ? lista
                   : nullptr;
    }
};

QTableView* tabela(QWidget* lista) {
    return lista->findChild<QTableView*>("Lista");
}

// The lines as shown, each as its cells joined by "|".
QStringList linhas(QWidget* lista) {
    QStringList textos;
    const QAbstractItemModel* m = tabela(lista)->model();
    for (int l = 0; l < m->rowCount(); ++l) {
        QStringList celulas;
        for (int c = 0; c < m->columnCount(); ++c)
            celulas << m->index(l, c).data().toString();
        textos << celulas.join(u'|');
    }
    return textos;
}

QString foco() {
    QWidget* w = QApplication::focusWidget();
    return w ? w->objectName() : QStringLiteral("<nenhum>");
}

} // namespace

void ListaDeRespostas::init() {
    Caixas::setModoDeTeste(true);
    Caixas::esqueceMostradas();
    SetInternational(ModoInternacional::Windows, ItensDaLocalidade::de(QLocale("pt_BR")));
}

void ListaDeRespostas::cleanup() {
    destroiJanelas();
}

void ListaDeRespostas::respostasERascunhosEmOrdem() {
    Ambiente a;
    auto* botao = a.form->findChild<QPushButton*>("MinhasCotacoes");
    QVERIFY(botao && botao->isVisible());
    QCOMPARE(botao->text(), "Minhas cotações...");
    QCOMPARE(botao->accessibleName(), "Minhas cotações");
    QVERIFY(!botao->statusTip().isEmpty());
    QWidget* lista = a.abrir();
    QVERIFY(lista);
    QCOMPARE(lista->windowTitle(), "Minhas cotações");
    QCOMPARE(tabela(lista)->model()->headerData(3, Qt::Horizontal).toString(), "Cotados");
    QCOMPARE(linhas(lista),
             (QStringList{"02/05/2026 14:40:00|" + kC + "|Padaria Pão Quente|—|—|Rascunho",
                          "02/05/2026 14:30:00|" + kC + "|Padaria Pão Quente|1 de 1|3,00|Enviada",
                          "02/05/2026 14:20:00|" + kA + "|Mercado Sul|12 de 3.500|42,50|Enviada",
                          "02/05/2026 14:10:00|" + kB + "|—|—|—|Enviada",
                          "02/05/2026 14:05:00|" + kD + "|Açougue Central|—|—|Rascunho",
                          "02/05/2026 14:00:00|" + kA +
                              "|Mercado Sul|3 de 3.500|1.234.567,89|Enviada"}));
    QVERIFY(!lista->findChild<QLabel*>("Aviso")->isVisible());
}

void ListaDeRespostas::listaVazia() {
    DiretorioTeste programa;
    banco::BancoLocal banco(programa.arquivo("Cotacao.db"));
    QPointer<FormLogin> form = new FormLogin(remoto::Rede{}, {}, &banco);
    form->Show();
    QVERIFY(QTest::qWaitForWindowActive(form));
    QTest::keyClick(form, Qt::Key_F3);
    auto* lista = form->findChild<QWidget*>("ListaMinhasCotacoes");
    QVERIFY(lista);
    QCOMPARE(tabela(lista)->model()->rowCount(), 0);
    QCOMPARE(lista->findChild<QLabel*>("Aviso")->text(), login::textos::NenhumaResposta);
    QVERIFY(!lista->findChild<QPushButton*>("Usar")->isEnabled());
    // Enter with nothing to choose leaves the login as it was.
    QTest::keyClick(lista->findChild<QLineEdit*>("Filtro"), Qt::Key_Return);
    QCOMPARE(form->MCodCotacao(), "");
}

void ListaDeRespostas::escolherNumero_data() {
    QTest::addColumn<QString>("filtro");
    QTest::addColumn<QString>("como");
    QTest::addColumn<QString>("numero");
    QTest::addColumn<int>("linhas");
    QTest::newRow("Enter no filtro, pelo solicitante") << "padaria"
                                                       << "filtro" << kC << 2;
    QTest::newRow("Enter no filtro, pelo fim do número") << "0004"
                                                         << "filtro" << kD << 1;
    QTest::newRow("Enter na lista") << "Mercado"
                                    << "lista" << kA << 2;
    QTest::newRow("duplo clique") << ""
                                  << "clique" << kB << 6;
}

void ListaDeRespostas::escolherNumero() {
    QFETCH(QString, filtro);
    QFETCH(QString, como);
    QFETCH(QString, numero);
    QFETCH(int, linhas);
    Ambiente a;
    QPointer<QWidget> lista = a.abrir();
    QVERIFY(lista);
    QLineEdit* campo = lista->findChild<QLineEdit*>("Filtro");
    QCOMPARE(QApplication::focusWidget(), campo);
    QTest::keyClicks(campo, filtro);
    QTableView* t = tabela(lista);
    QCOMPARE(t->model()->rowCount(), linhas);
    if (como == "filtro") {
        QTest::keyClick(campo, Qt::Key_Return);
    } else if (como == "lista") {
        t->setFocus();
        QTest::keyClick(t, Qt::Key_Down);
        QTest::keyClick(t, Qt::Key_Return);
    } else {
        const QRect celula = t->visualRect(t->model()->index(3, 1));
        // Qt's test double click is taken as one after a click.
        QTest::mouseClick(t->viewport(), Qt::LeftButton, {}, celula.center());
        QTest::mouseDClick(t->viewport(), Qt::LeftButton, {}, celula.center());
    }
    QTRY_VERIFY(!lista);
    QCOMPARE(a.form->MCodCotacao(), numero);
    QTRY_COMPARE(foco(), "MSenha");
}

void ListaDeRespostas::imprimir_data() {
    QTest::addColumn<QString>("filtro");
    QTest::addColumn<QByteArray>("copia"); // empty: the copy is gone
    QTest::addColumn<bool>("impresso");
    QTest::addColumn<QString>("mensagem");
    const QString alterada =
        QString::fromUtf8(
            "A resposta da cotação %1 enviada em 02/05/2026 às 14:20:00 não pode ser impressa: a "
            "cópia guardada neste computador não é a que foi enviada (ela foi alterada ou "
            "substituída depois do envio).")
            .arg(kA);
    QTest::newRow("cópia igual à enviada") << kA << resposta("1,50") << true << "";
    QTest::newRow("um byte mudado") << kA << resposta("1,60") << false << alterada;
    QTest::newRow("bytes a mais") << kA << resposta("1,50") + "\r\n" << false << alterada;
    QTest::newRow("cópia de uma resposta anterior") << kA << resposta("1,00") << false << alterada;
    // A folder where the copy should be: it is there, and it cannot be read (even by root).
    QTest::newRow("cópia ilegível")
        << kA << QByteArray("<pasta>") << false
        << QString::fromUtf8("A resposta da cotação %1 enviada em 02/05/2026 às 14:20:00 não pode "
                             "ser impressa: a cópia guardada neste computador existe, mas não pôde "
                             "ser lida. Verifique se ela não está aberta em outro programa e tente "
                             "de novo.")
               .arg(kA);
    QTest::newRow("cópia apagada")
        << kA << QByteArray() << false
        << QString::fromUtf8("A resposta da cotação %1 enviada em 02/05/2026 às 14:20:00 não pode "
                             "ser impressa: a cópia dela não está mais neste computador.")
               .arg(kA);
}

void ListaDeRespostas::imprimir() {
    QFETCH(QString, filtro);
    QFETCH(QByteArray, copia);
    QFETCH(bool, impresso);
    QFETCH(QString, mensagem);
    Ambiente a;
    if (copia.isEmpty() || copia == "<pasta>")
        QVERIFY(QFile::remove(a.programa.arquivo(kA + kCNPJ + ".cot")));
    if (copia == "<pasta>")
        QVERIFY(QDir().mkdir(a.programa.arquivo(kA + kCNPJ + ".cot")));
    else if (!copia.isEmpty())
        a.programa.escrever(kA + kCNPJ + ".cot", copia);
    QPointer<QWidget> lista = a.abrir();
    QVERIFY(lista);
    QTest::keyClicks(lista->findChild<QLineEdit*>("Filtro"), filtro);
    auto* botao = lista->findChild<QPushButton*>("Imprimir");
    QVERIFY(botao->isVisible() && botao->isEnabled());
    QCOMPARE(botao->accessibleName(), "Imprimir");
    // A button's shortcut clicks it as the mouse would, a moment later.
    QTest::keySequence(lista, QKeySequence::Print);
    if (impresso) {
        QTRY_COMPARE(a.impressos.size(), 1);
        QCOMPARE(a.impressos[0].cotacao, kA);
        QCOMPARE(a.impressos[0].quando, kBase.addSecs(1200)); // the latest sending of A
        QVERIFY(Caixas::mostradas().isEmpty());
    } else {
        QTRY_COMPARE(Caixas::mostradas().size(), 1);
        QCOMPARE(Caixas::mostradas()[0].texto, mensagem);
        QVERIFY(a.impressos.isEmpty());
    }
    QVERIFY(lista); // the list stays open
}

void ListaDeRespostas::semImpressaoSemBotao() {
    {
        Ambiente a(false);
        QWidget* lista = a.abrir();
        QVERIFY(lista);
        QVERIFY(!lista->findChild<QPushButton*>("Imprimir")->isVisible());
    }
    // With a hook, a draft has nothing to print.
    Ambiente b;
    QWidget* outra = b.abrir();
    QVERIFY(outra);
    QCOMPARE(linhas(outra).first().section(u'|', -1), "Rascunho");
    QVERIFY(!outra->findChild<QPushButton*>("Imprimir")->isEnabled());
    QTest::keySequence(outra, QKeySequence::Print);
    QTest::qWait(300);
    QVERIFY(b.impressos.isEmpty());
    QVERIFY(Caixas::mostradas().isEmpty());
}

// Within the screen it opens on, its buttons in sight (login.ListaDeRespostas.200 runs this at
// 200 %, where the screen is smaller than the list's usual size).
void ListaDeRespostas::dentroDaTela() {
    Ambiente a;
    QWidget* lista = a.abrir();
    QVERIFY(lista);
    const QRect tela = lista->screen()->availableGeometry();
    const QRect janela = janelas::RetanguloNaTela(lista);
    QVERIFY2(tela.contains(janela), qPrintable(QString("%1x%2+%3+%4")
                                                   .arg(janela.width())
                                                   .arg(janela.height())
                                                   .arg(janela.x())
                                                   .arg(janela.y())));
    for (const char* nome : {"Filtro", "Lista", "Usar", "Imprimir", "Fechar"}) {
        auto* w = lista->findChild<QWidget*>(nome);
        QVERIFY2(w && w->isVisible(), nome);
        QVERIFY2(tela.contains(QRect(w->mapToGlobal(QPoint(0, 0)), w->size())), nome);
    }
}

void ListaDeRespostas::numerosOferecidos() {
    Ambiente a;
    QLineEdit* numero = a.form->findChild<QLineEdit*>("MCodCotacao");
    QTRY_VERIFY(numero->completer());
    numero->setFocus();
    QTest::keyClicks(numero, "00000");
    QCompleter* c = numero->completer();
    QTRY_VERIFY(c->popup()->isVisible());
    QStringList oferecidos;
    for (int i = 0; c->setCurrentRow(i); ++i)
        oferecidos << c->currentCompletion();
    // Each number once, the latest first.
    QCOMPARE(oferecidos, (QStringList{kC, kA, kB, kD}));
    QTest::keyClick(numero, Qt::Key_Backspace);
    QTest::keyClicks(numero, "4");
    QTRY_COMPARE(c->completionCount(), 1);
    QCOMPARE(c->currentCompletion(), kD);
}
