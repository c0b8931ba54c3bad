// The quotation form with 3,500 products: opening it (grid filled through the wrappers, form
// shown), sending (lists built and answer file written), and the program's peak memory. The
// network is left out: the FTP server's port is closed, so transfers fail at once.
#include "Medida.h"
#include "grid/ImpressaoGrade.h"
#include "quotation/FormCotacao.h"
#include "quotation/formats/Lista.h"
#include "runtime/Cp1252.h"
#include "runtime/MessageBox.h"
#include "tests/support/DiretorioTeste.h"

#include <QApplication>
#include <QTcpServer>

#include <sys/resource.h>

namespace {
const QString kNumero = QStringLiteral("2026000000012345");

QByteArray cotacao(int produtos) {
    QStringList itens;
    for (int i = 0; i < produtos; ++i)
        itens << QString::number(100000 + i) << QStringLiteral("7890000000011")
              << QStringLiteral("AÇÚCAR REFINADO 1KG Nº %1").arg(i + 1) << QStringLiteral("120")
              << QStringLiteral("UN") << QString();
    return "[Geral]\r\nSolicitante=Mercado\r\nListaProdutos=" + toCp1252(EscreveLista(itens)) +
           "\r\n";
}
} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    MessageBox::setTestMode(true);
    DiretorioTeste programa;
    programa.escrever(kNumero + QStringLiteral(".cot"), cotacao(3500));
    QTcpServer internet;
    internet.listen(QHostAddress::LocalHost);
    Rede rede;
    rede.servidorFtp = QStringLiteral("127.0.0.1:1");
    rede.conexao.host = {QStringLiteral("127.0.0.1"), internet.serverPort()};

    FormCotacao* form = nullptr;
    const auto abrir = [&] {
        delete form;
        form = new FormCotacao(rede);
        form->cCodCotacao = kNumero;
        form->cCNPJ = QStringLiteral("11222333000181");
        form->Setup();
        form->Show();
        QCoreApplication::processEvents();
    };
    const double abertura = medianaMs(5, abrir);
    const int linhas = form->MListaProdutos.Rows().toInt() - 1;
    for (int linha = 1; linha <= linhas; ++linha)
        form->MListaProdutos.Cell(linha, 6).Text(QString(QString::number(linha % 97) + u",5"));
    const double envio = medianaMs(5, [&] { form->Enviar(); });
    // The report up to its preview (the preview dialog itself is skipped by the message seam).
    const double relatorio = medianaMs(5, [&] { form->Imprimir(); });
    auto* grade = form->findChild<ControleGrade*>(QStringLiteral("MListaRelatorios"));
    const QString pdf = programa.arquivo(QStringLiteral("relatorio.pdf"));
    const double paginas = medianaMs(
        3, [&] { SalvaPdfDoRelatorio(grade->modelo()->dados(), grade->relatorio(), pdf); });

    rusage uso{};
    getrusage(RUSAGE_SELF, &uso);
    linha(QStringLiteral("Open the quotation form, %1 products").arg(linhas),
          QStringLiteral("< 300 ms"), QString::number(abertura, 'f', 1) + QStringLiteral(" ms"));
    linha(QStringLiteral("Enviar, %1 rows (lists and answer file)").arg(linhas),
          QStringLiteral("< 100 ms"), QString::number(envio, 'f', 1) + QStringLiteral(" ms"));
    linha(QStringLiteral("Imprimir, %1 products, up to the preview").arg(linhas),
          QStringLiteral("< 500 ms"), QString::number(relatorio, 'f', 1) + QStringLiteral(" ms"));
    linha(QStringLiteral("All pages of that report to PDF"), QStringLiteral("< 5 s"),
          QString::number(paginas, 'f', 0) + QStringLiteral(" ms"));
    linha(QStringLiteral("Peak memory with that quotation open"), QStringLiteral("< 150 MB"),
          QString::number(uso.ru_maxrss / 1024.0, 'f', 0) + QStringLiteral(" MB"));
    delete form;
    return linhas == 3500 ? 0 : 1;
}
