// The quotation form with 3,500 products: opening it (grid filled through the wrappers, form
// shown), sending (lists built and answer file written; the receipt and the end of the draft
// measured on their own), the draft (one change saved; a whole draft recovered at opening),
// printing, and the program's peak memory. The network is left out: the FTP server's port is
// closed, so transfers fail at once.
#include "Medida.h"
#include "banco/BancoLocal.h"
#include "banco/Rascunhos.h"
#include "banco/TabelaDePrecos.h"
#include "cotacao/FormCotacao.h"
#include "formatos/Lista.h"
#include "grade/ImpressaoGrade.h"
#include "janelas/Caixas.h"
#include "janelas/EscolhaDeArquivo.h"
#include "login/FormLogin.h"
#include "nucleo/Cp1252.h"
#include "proposta/Colagem.h"
#include "proposta/Envio.h"
#include "proposta/Rascunho.h"
#include "proposta/Textos.h"
#include "tests/support/Certo.h"
#include "tests/support/DiretorioTeste.h"
#include "tests/support/ServidorFtpTeste.h"

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QProcess>
#include <QTcpServer>

#include <cstdio>
#include <cstring>
#include <memory>

using namespace formatos;
using namespace grade;
using namespace janelas;
using namespace nucleo;
using namespace remoto;

namespace {
const QString kNumero = QStringLiteral("2026000000012345");
// The quotation measured (a small one for the test run's check, BENCH_RAPIDO).
const int kProdutos = tamanho(3500, 200);

QByteArray arquivoDeCotacao(int produtos) {
    QStringList itens;
    for (int i = 0; i < produtos; ++i)
        itens << QString::number(100000 + i) << QString::number(7890000000000LL + i)
              << QStringLiteral("AÇÚCAR REFINADO 1KG Nº %1").arg(i + 1) << QStringLiteral("120")
              << QStringLiteral("UN") << QString();
    return "[Geral]\r\nSolicitante=Mercado\r\nSenhaCotacao=37214508\r\nListaFornecedor=" +
           ParaCp1252(EscreveLista({QStringLiteral("1"), QStringLiteral("Distribuidora"), QString(),
                                    QStringLiteral("11222333000181")})) +
           "\r\nListaProdutos=" + ParaCp1252(EscreveLista(itens)) + "\r\n";
}

// Peak memory of a process that does nothing but open the quotation form with 3,500 products
// (with `--memoria`), or a window with one text field (with `--memoria-minima`): what a supplier's
// machine gives the program with the quotation open. Its own VmHWM, printed in MB.
int picoDeMemoria(int argc, char** argv, bool comFormulario) {
    QApplication app(argc, argv);
    Caixas::setModoDeTeste(true);
    DiretorioTeste programa;
    std::unique_ptr<QWidget> janela;
    std::unique_ptr<banco::BancoLocal> banco;
    if (comFormulario) {
        programa.escrever(kNumero + QStringLiteral(".cot"), arquivoDeCotacao(kProdutos));
        banco = std::make_unique<banco::BancoLocal>(programa.arquivo(QStringLiteral("Cotacao.db")));
        Rede rede;
        rede.servidorFtp = QStringLiteral("127.0.0.1:1");
        auto* form = new FormCotacao(rede, banco.get());
        janela.reset(form);
        form->cCodCotacao = kNumero;
        form->cCNPJ = QStringLiteral("11222333000181");
        form->Setup();
        form->Show();
    } else {
        janela = std::make_unique<QLineEdit>();
        janela->show();
    }
    QCoreApplication::processEvents();
    janela->repaint();
    std::printf("%.1f\n", picoDeMemoriaMb());
    return 0;
}

double picoMb(const QString& modo) {
    QProcess filho;
    QProcessEnvironment ambiente = QProcessEnvironment::systemEnvironment();
    ambiente.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    filho.setProcessEnvironment(ambiente);
    filho.start(QCoreApplication::applicationFilePath(), {modo});
    filho.waitForFinished(60000);
    bool lido = false;
    const double mb = filho.readAllStandardOutput().trimmed().toDouble(&lido);
    if (filho.exitStatus() != QProcess::NormalExit || filho.exitCode() != 0 || !lido || mb <= 0)
        qFatal("the peak memory of %s could not be measured", qPrintable(modo));
    return mb;
}
} // namespace

int main(int argc, char** argv) {
    if (argc > 1 && std::strcmp(argv[1], "--memoria") == 0)
        return picoDeMemoria(argc, argv, true);
    if (argc > 1 && std::strcmp(argv[1], "--memoria-minima") == 0)
        return picoDeMemoria(argc, argv, false);
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    Caixas::setModoDeTeste(true);
    DiretorioTeste programa;
    programa.escrever(kNumero + QStringLiteral(".cot"), arquivoDeCotacao(kProdutos));
    banco::BancoLocal banco(programa.arquivo(QStringLiteral("Cotacao.db")));
    QTcpServer internet;
    internet.listen(QHostAddress::LocalHost);
    Rede rede;
    rede.servidorFtp = QStringLiteral("127.0.0.1:1");
    rede.conexao.host = {QStringLiteral("127.0.0.1"), internet.serverPort()};

    FormCotacao* form = nullptr;
    const auto abrir = [&] {
        delete form;
        form = new FormCotacao(rede, &banco);
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
    // The earlier answer could not be read (no server): each sending is let replace it.
    const double envio = medianaMs(5, [&] {
        Caixas::responde(proposta::textos::SubstituirIlegivel, Caixas::Sim);
        form->Enviar();
    });
    const QString cnpj = QStringLiteral("11222333000181");

    // The draft: one price changed and saved, as the draft's timer does it.
    proposta::Proposta proposta;
    proposta.inicia(form->proposta().cotacao());
    proposta::Rascunho rascunho(&banco, kNumero, cnpj);
    rascunho.acompanha(proposta);
    int celula = 0;
    const auto precoNovo = [&](int produto) {
        return QString(QString::number(produto + 1 + celula) + u",5");
    };
    const double umaMudanca = medianaMs(21, [&] {
        const int produto = celula++ % linhas;
        proposta.define(produto, proposta::Campo::Preco, precoNovo(produto));
        teste::Certo(rascunho.guardaAgora());
    });
    // A whole draft of 3,500 prices, recovered when the form opens ("Sim" is the default).
    const auto todos = [&] {
        ++celula;
        for (int produto = 0; produto < linhas; ++produto)
            proposta.define(produto, proposta::Campo::Preco, precoNovo(produto));
        teste::Certo(rascunho.guardaAgora());
    };
    todos();
    // The recovery itself, into a fresh answer shown by no window, and the whole opening with it.
    const double recuperacao = medianaMs(5, [&] {
        proposta::Proposta recuperada;
        recuperada.inicia(proposta.cotacao());
        teste::Certo(rascunho.recupera(recuperada));
    });
    const double aberturaComRascunho = medianaMs(5, abrir);

    // After a verified sending: the receipt kept and the 3,500-row draft dropped.
    const QString arquivoDaResposta = kNumero + cnpj + QStringLiteral(".cot");
    const QByteArray resposta = programa.ler(arquivoDaResposta);
    const double recibo = medianaMs(5, todos, [&] {
        teste::Certo(proposta::RegistraEnvio(
            banco, proposta::ReciboDoEnvio(kNumero, cnpj, arquivoDaResposta, resposta)));
    });
    // The report up to its preview (the preview dialog itself is skipped by the message seam).
    const double relatorio = medianaMs(5, [&] { form->Imprimir(); });
    auto* grade = form->findChild<ControleGrade*>(QStringLiteral("MListaRelatorios"));
    const QString pdf = programa.arquivo(QStringLiteral("relatorio.pdf"));
    const double paginas = medianaMs(3, [&] {
        if (!SalvaPdfDoRelatorio(grade->modelo()->dados(), grade->relatorio(), pdf))
            qFatal("the report's PDF could not be written");
    });

    // From Ok on the login form to the quotation form on screen, over loopback: connectivity,
    // the quotation's download, the checks, the form filled (its earlier-answer download too).
    // One quotation form at a time, as the program has it: the first one goes first.
    delete form;
    form = nullptr;
    ServidorFtpTeste servidor;
    servidor.colocar(kNumero + QStringLiteral(".cot"), arquivoDeCotacao(kProdutos));
    Rede redeLocal = rede;
    redeLocal.servidorFtp = servidor.endereco();
    FormCotacao* aberto = nullptr;
    const double login = medianaMs(
        5,
        [&] {
            delete aberto;
            aberto = nullptr;
        },
        [&] {
            auto* entrada = new FormLogin(
                redeLocal, [&](const QString& codigo, const QString& c, formatos::Cotacao lida) {
                    aberto = new FormCotacao(redeLocal, &banco);
                    aberto->cCodCotacao = codigo;
                    aberto->cCNPJ = c;
                    aberto->usaCotacao(std::move(lida));
                    aberto->Setup();
                    aberto->Show();
                });
            entrada->setMCNPJ(cnpj);
            entrada->setMCodCotacao(kNumero);
            entrada->setMSenha(QStringLiteral("37326731"));
            entrada->OK();
            QCoreApplication::processEvents();
        });
    delete aberto;

    // The grid as a spreadsheet, on the form with 3,500 products.
    abrir();
    auto* produtos = form->findChild<ControleGrade*>(QStringLiteral("MListaProdutos"));
    // Two blocks in turn, so every paste changes every price.
    QString blocos[2];
    for (int l = 1; l <= linhas; ++l) {
        blocos[0] += QString::number(l % 89) + QStringLiteral(",75\n");
        blocos[1] += QString::number(l % 89) + QStringLiteral(",25\n");
    }
    int vez = 0;
    const auto indice = [&](int l, int c) { return produtos->model()->index(l - 1, c); };
    const double colar = medianaMs(
        5,
        [&] {
            QGuiApplication::clipboard()->setText(blocos[vez++ % 2]);
            produtos->setCurrentIndex(indice(1, 6));
        },
        [&] { form->comandos().Colar(); });
    auto* localizar = form->findChild<QLineEdit*>(QStringLiteral("Localizar"));
    // The worst keystrokes: one that hides every row but one, one that shows them all again.
    int tecla = 0;
    const double filtro = medianaMs(21, [&] {
        localizar->setText(tecla++ % 2 ? QString() : QStringLiteral("nº 1234"));
        produtos->repaint(); // the rows laid out again and painted
    });
    localizar->clear();
    const double totais = medianaMs(21, [&] {
        const QString preco = QString::number(tecla) + u",5";
        form->MListaProdutos.Cell(1 + tecla++ % linhas, 6).Text(preco);
    });
    const auto planilha = [&](const QString& nome) { return programa.arquivo(nome); };
    const double exportaXlsx = medianaMs(5, [&] {
        janelas::ProximoArquivo(planilha(QStringLiteral("p.xlsx")));
        form->comandos().ExportarPlanilha();
    });
    janelas::ProximoArquivo(planilha(QStringLiteral("p.csv")));
    form->comandos().ExportarPlanilha();
    // Imports of a file whose prices all differ from the grid's: every cell changes.
    const auto importa = [&](const QString& nome) {
        return medianaMs(
            5,
            [&] {
                for (int l = 1; l <= linhas; ++l)
                    form->MListaProdutos.Cell(l, 6).Text(QStringLiteral("1"));
                janelas::ProximoArquivo(planilha(nome));
            },
            [&] { form->comandos().ImportarPlanilha(); });
    };
    const double importaXlsx = importa(QStringLiteral("p.xlsx"));
    const double importaCsv = importa(QStringLiteral("p.csv"));
    // A 1 MB workbook whose sheet inflates to 1 GB of blanks: refused with its reason.
    QProcess gerador;
    gerador.start(QStringLiteral("/usr/bin/python3"),
                  {QStringLiteral(COTACAO_SOURCE_DIR "/tests/support/planilhas_hostis.py"),
                   QStringLiteral("espacos"), planilha(QStringLiteral("bomba.xlsx")),
                   QStringLiteral("1024")});
    gerador.waitForFinished(-1);
    const double recusa = medianaMs(
        5, [&] { janelas::ProximoArquivo(planilha(QStringLiteral("bomba.xlsx"))); },
        [&] { form->comandos().ImportarPlanilha(); });

    // A 4 KB workbook of 30 rows of 40 cells, each the one shared text of 32,767 characters: the
    // heading search's worst case (no heading found, and told so).
    gerador.start(QStringLiteral("/usr/bin/python3"),
                  {QStringLiteral(COTACAO_SOURCE_DIR "/tests/support/planilhas_hostis.py"),
                   QStringLiteral("titulos-longos"), planilha(QStringLiteral("titulos.xlsx"))});
    gerador.waitForFinished(-1);
    const double semCabecalho = medianaMs(
        5, [&] { janelas::ProximoArquivo(planilha(QStringLiteral("titulos.xlsx"))); },
        [&] { form->comandos().ImportarPlanilha(); });

    // The supplier's price table holds every product: a fresh form fills them all from it.
    QList<banco::ItemDaTabela> itens;
    for (int i = 0; i < linhas; ++i)
        itens.append({QString::number(7890000000000LL + i), QString::number(100000 + i),
                      QString::number(i % 97 + 1) + QStringLiteral(",40"), QString()});
    teste::Certo(banco::TabelaDePrecos(banco).substitui(itens, QStringLiteral("tabela.xlsx"),
                                                        QDateTime::currentDateTime()));
    // Every product without a price: no draft (the form going keeps its own first), and no copy
    // of the answer sent to start from.
    delete form;
    form = nullptr;
    teste::Certo(banco::Rascunhos(banco).descarta(kNumero, cnpj));
    QFile::remove(programa.arquivo(kNumero + cnpj + QStringLiteral(".cot")));
    abrir();
    if (form->proposta().cotados() != 0)
        qFatal("the form to fill has prices already");
    const double preencheTabela = medianaMs(
        5, [&] { form->comandos().Desfazer(); },
        [&] { form->comandos().PreencherComTabelaDePrecos(); });

    const double picoDoBench = picoDeMemoriaMb();

    // The largest clipboard a paste takes, of the worst shape: prices and long remarks, many
    // more rows than products, many more columns than the grid's (after the peak above, which
    // is the quotation's).
    QString maior;
    while (maior.size() < proposta::kMaximoDaColagem - 200) {
        maior += QStringLiteral("1,50\t") + QString(60, u'x');
        for (int c = 0; c < 10; ++c)
            maior += u'\t';
        maior += u'\n';
    }
    auto* aberta = form->findChild<ControleGrade*>(QStringLiteral("MListaProdutos"));
    const double colarMaior = medianaMs(
        5,
        [&] {
            QGuiApplication::clipboard()->setText(maior);
            aberta->setCurrentIndex(aberta->model()->index(0, 6));
        },
        [&] { form->comandos().Colar(); });
    linha(QStringLiteral("Open the quotation form, %1 products").arg(linhas),
          QStringLiteral("< 30 ms"), QString::number(abertura, 'f', 1) + QStringLiteral(" ms"));
    linha(QStringLiteral("Login to the quotation form, %1 products, loopback").arg(linhas),
          QStringLiteral("< 300 ms"), QString::number(login, 'f', 1) + QStringLiteral(" ms"));
    linha(QStringLiteral("Enviar, %1 rows (lists and answer file)").arg(linhas),
          QStringLiteral("< 50 ms with the receipt"),
          QString::number(envio, 'f', 1) + QStringLiteral(" ms"));
    linha(QStringLiteral("Receipt and draft cleared after sending, %1 rows").arg(linhas),
          QStringLiteral("with Enviar < 50 ms"),
          QString::number(recibo, 'f', 1) + QStringLiteral(" ms"));
    linha(QStringLiteral("Draft saved after one cell change, %1 products").arg(linhas),
          QStringLiteral("< 5 ms"), QString::number(umaMudanca, 'f', 2) + QStringLiteral(" ms"));
    linha(QStringLiteral("Recovery of a %1-row draft").arg(linhas), QStringLiteral("< 50 ms"),
          QString::number(recuperacao, 'f', 1) + QStringLiteral(" ms"));
    linha(QStringLiteral("Open the quotation form with that draft recovered"),
          QStringLiteral("< 350 ms"),
          QString::number(aberturaComRascunho, 'f', 1) + QStringLiteral(" ms"));
    linha(QStringLiteral("Imprimir, %1 products, up to the preview").arg(linhas),
          QStringLiteral("< 500 ms"), QString::number(relatorio, 'f', 1) + QStringLiteral(" ms"));
    linha(QStringLiteral("All pages of that report to PDF"), QStringLiteral("< 5 s"),
          QString::number(paginas, 'f', 0) + QStringLiteral(" ms"));
    linha(QStringLiteral("Peak memory of the program with that quotation open"),
          QStringLiteral("< 55 MB"),
          QString::number(picoMb(QStringLiteral("--memoria")), 'f', 1) + QStringLiteral(" MB"),
          QStringLiteral("window with one text field %1 MB, this whole bench %2 MB")
              .arg(picoMb(QStringLiteral("--memoria-minima")), 0, 'f', 1)
              .arg(picoDoBench, 0, 'f', 0));
    const auto ms = [](double v, int casas) -> QString {
        return QString::number(v, 'f', casas) + QStringLiteral(" ms");
    };
    linha(QStringLiteral("Paste of %1 prices (status, draft, undo step)").arg(linhas),
          QStringLiteral("< 200 ms"), ms(colar, 1));
    linha(QStringLiteral("Paste of the largest clipboard taken (%1 characters)").arg(maior.size()),
          QStringLiteral("< 100 ms"), ms(colarMaior, 1));
    linha(QStringLiteral("One keystroke in Localizar, %1 products").arg(linhas),
          QStringLiteral("< 30 ms"), ms(filtro, 1));
    linha(QStringLiteral("Status-bar totals after one cell change"), QStringLiteral("< 2 ms"),
          ms(totais, 3));
    linha(QStringLiteral("Export xlsx, %1 products").arg(linhas), QStringLiteral("< 500 ms"),
          ms(exportaXlsx, 1));
    linha(QStringLiteral("Import xlsx, %1 lines (read, match, apply)").arg(linhas),
          QStringLiteral("< 500 ms"), ms(importaXlsx, 1));
    linha(QStringLiteral("Import csv, %1 lines (read, match, apply)").arg(linhas),
          QStringLiteral("< 200 ms"), ms(importaCsv, 1));
    linha(QStringLiteral("Fill of %1 products from the price table (one undo step, the draft)")
              .arg(linhas),
          QStringLiteral("< 50 ms"), ms(preencheTabela, 1));
    linha(QStringLiteral("Import of an xlsx inflating to 1 GB, refused"), QStringLiteral("< 1 s"),
          ms(recusa, 1));
    linha(QStringLiteral("Import of a 4 KB xlsx, 30 rows x 40 cells of one 32,767-character text "
                         "(no heading)"),
          QStringLiteral("< 1 s"), ms(semCabecalho, 1));
    delete form;
    return linhas == kProdutos ? 0 : 1;
}
