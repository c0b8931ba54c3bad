#include "tests/janelas/tst_avisos.h"

#include "janelas/FormEmEspera.h"
#include "janelas/FormObrigado.h"
#include "janelas/ImagemFundo.h"
#include "nucleo/Progresso.h"
#include "tests/support/DiretorioTeste.h"
#include "tests/support/TestMainJanelas.h"

#include <QApplication>
#include <QPointer>
#include <QTest>

#include <stdexcept>

using namespace janelas;

namespace {
bool aberto(const QPointer<FormEmEspera>& aviso) {
    return aviso && aviso->isVisible();
}
} // namespace

void Avisos::cleanup() {
    destroiJanelas();
}

void Avisos::avisoEmEspera() {
    FormEmEspera* aviso = ExibeAvisoEmEspera("   Enviando ...  ", false);
    QVERIFY(aviso && aviso->isVisible());
    QCOMPARE(aviso->oDCTexto->text(), "Enviando ...");
    QCOMPARE(aviso->windowTitle(), "Aguarde ...");
    QVERIFY(aviso->windowFlags() & Qt::WindowStaysOnTopHint);
    QVERIFY(aviso->windowFlags() & Qt::FramelessWindowHint);
    QCOMPARE(qRound(aviso->windowOpacity() * 255), 230);
    QVERIFY(!aviso->mask().contains(QPoint(5, 5)));
    QVERIFY(aviso->mask().contains(aviso->rect().center()));

    // Painted before the call returned: what is on screen already holds the text.
    const QImage tela = aviso->grab().toImage();
    const QPoint centro = aviso->oDCTexto->geometry().center();
    bool temTexto = false;
    for (int x = aviso->oDCTexto->x(); x < aviso->oDCTexto->geometry().right(); ++x)
        temTexto |= tela.pixelColor(x, centro.y()).lightness() > 200;
    QVERIFY(temTexto);

    QPointer<FormEmEspera> mesmo = ExibeAvisoEmEspera("Enviando ...", true);
    QCOMPARE(mesmo.data(), aviso);
    QTRY_VERIFY(mesmo.isNull() || !mesmo->isVisible());
}

void Avisos::fecharSemAviso() {
    // A close request with no notice open changes nothing.
    ExibeAvisoEmEspera("x", true);
    QVERIFY(QApplication::topLevelWidgets().isEmpty() ||
            !QApplication::topLevelWidgets().front()->isVisible());
}

void Avisos::guardaFechaAoSairDoEscopo_data() {
    QTest::addColumn<int>("saida");
    QTest::newRow("fim do escopo") << 0;
    QTest::newRow("retorno antecipado") << 1;
    QTest::newRow("exceção") << 2;
}

void Avisos::guardaFechaAoSairDoEscopo() {
    QFETCH(int, saida);
    QPointer<FormEmEspera> visto;
    QString texto;
    const auto passo = [&](int como) {
        AvisoEmEspera aviso(QStringLiteral("Conectando ..."));
        visto = aviso.janela();
        if (!aberto(visto))
            return false;
        texto = visto->oDCTexto->text();
        if (como == 1)
            return true;
        if (como == 2)
            throw std::runtime_error("falhou no meio");
        return true;
    };
    bool chegou = false;
    try {
        chegou = passo(saida);
    } catch (const std::runtime_error&) {
        chegou = saida == 2;
    }
    QVERIFY(chegou); // it was open while the step ran...
    QCOMPARE(texto, "Conectando ...");
    QVERIFY(!aberto(visto)); // ...and is closed however the step ended
    QVERIFY(ExibeAvisoEmEspera(QStringLiteral("x"), true) == nullptr);
}

void Avisos::avisosAninhados() {
    // The guard closes its own notice, whatever was opened inside it.
    AvisoEmEspera fora(QStringLiteral("Verificando conexão ..."));
    QPointer<FormEmEspera> externo = fora.janela();
    QPointer<FormEmEspera> interno;
    {
        AvisoEmEspera dentro(QStringLiteral("Conectando ..."));
        interno = dentro.janela();
        QVERIFY(aberto(externo) && aberto(interno) && externo != interno);
    }
    QVERIFY(aberto(externo));
    QVERIFY(!aberto(interno));

    // Paired calls inside a guard: the close takes the innermost notice, never the guard's.
    QPointer<FormEmEspera> par = ExibeAvisoEmEspera(QStringLiteral("Enviando ..."), false);
    QCOMPARE(ExibeAvisoEmEspera(QStringLiteral("Enviando ..."), true), par.data());
    QVERIFY(!aberto(par));
    QVERIFY(aberto(externo));

    // Two pairs nested: each close takes one, the outer one is not left on the screen.
    QPointer<FormEmEspera> a = ExibeAvisoEmEspera(QStringLiteral("a"), false);
    QPointer<FormEmEspera> b = ExibeAvisoEmEspera(QStringLiteral("b"), false);
    QCOMPARE(ExibeAvisoEmEspera(QStringLiteral("b"), true), b.data());
    QVERIFY(aberto(a) && !aberto(b));
    QCOMPARE(ExibeAvisoEmEspera(QStringLiteral("a"), true), a.data());
    QVERIFY(!aberto(a));
    QVERIFY(aberto(externo));

    fora.fecha();
    QVERIFY(!aberto(externo));
    fora.fecha(); // a second close changes nothing
    QVERIFY(ExibeAvisoEmEspera(QStringLiteral("x"), true) == nullptr);
}

void Avisos::progressoVaiAoAvisoDeCima() {
    AvisoEmEspera fora(QStringLiteral("Baixando ..."));
    {
        AvisoEmEspera dentro(QStringLiteral("Conectando ..."));
        QTest::qWait(1100); // a quick step shows no figures
        nucleo::InformaProgresso(512, 2048);
        QCOMPARE(dentro.janela()->TextoDoProgresso(), "25 % (1 de 2 KB)");
        QVERIFY(fora.janela()->TextoDoProgresso().isEmpty());
    }
    nucleo::InformaProgresso(2048, 2048);
    QCOMPARE(fora.janela()->TextoDoProgresso(), "100 % (2 de 2 KB)");
    fora.fecha();
    nucleo::InformaProgresso(1, 2); // nobody listens any more: nothing breaks
}

void Avisos::imagemDoArquivoOuReserva() {
    DiretorioTeste programa;
    QWidget pai;
    pai.resize(100, 50);
    ImagemFundo fundo(&pai);
    fundo.setGeometry(pai.rect());
    QVERIFY(
        !fundo.CreateEmbeddingFromFile(programa.arquivo("AvisoCotação.bmp"), ":/arte/aviso.png"));
    QVERIFY(!fundo.grab().toImage().isNull());
    QImage vermelho(10, 10, QImage::Format_RGB32);
    vermelho.fill(Qt::red);
    QVERIFY(vermelho.save(programa.arquivo("AvisoCotação.bmp"), "BMP"));
    QVERIFY(
        fundo.CreateEmbeddingFromFile(programa.arquivo("AvisoCotação.bmp"), ":/arte/aviso.png"));
    QCOMPARE(fundo.grab().toImage().pixelColor(50, 25), QColor(Qt::red)); // stretched over all
    QVERIFY(fundo.testAttribute(Qt::WA_TransparentForMouseEvents));

    // The thank-you window draws our artwork when its picture is missing.
    QFile::remove(programa.arquivo("AvisoCotação.bmp"));
    FormObrigado obrigado;
    const QImage tela = obrigado.grab().toImage();
    QVERIFY(tela.pixelColor(100, 100) != obrigado.palette().color(QPalette::Window));
}
