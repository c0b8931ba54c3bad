// The supplier's price table: a list of 50,000 lines read from an .xlsx and stored, replacing
// the table before; the table looked up for a quotation of 3,500 products; and "Minhas cotações"
// opened over 1,000 answers sent and a few drafts, until it has painted.
#include "Medida.h"
#include "banco/BancoLocal.h"
#include "banco/Rascunhos.h"
#include "banco/Recibos.h"
#include "banco/TabelaDePrecos.h"
#include "janelas/Caixas.h"
#include "login/FormMinhasCotacoes.h"
#include "nucleo/Regional.h"
#include "proposta/Planilha.h"
#include "proposta/PrecosDaTabela.h"
#include "tests/support/Certo.h"
#include "tests/support/DiretorioTeste.h"

#include <QApplication>
#include <QTableView>

#include <ctime>

using namespace nucleo;

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    janelas::Caixas::setModoDeTeste(true);
    SetInternational(ModoInternacional::Windows,
                     ItensDaLocalidade::de(QLocale(QStringLiteral("pt_BR"))));
    DiretorioTeste programa;
    banco::BancoLocal banco(programa.arquivo(QStringLiteral("Cotacao.db")));

    // Small for the test run's check (BENCH_RAPIDO).
    const int linhasDaTabela = tamanho(50000, 2000);
    const int produtosDaCotacao = tamanho(3500, 200);
    const int recibos = tamanho(1000, 50);
    proposta::Tabela planilha{{QStringLiteral("Cód. de barras"), QStringLiteral("PLU"),
                               QStringLiteral("Preço"), QStringLiteral("Observações")}};
    for (int i = 0; i < linhasDaTabela; ++i)
        planilha.append({QString::number(7890000000000LL + i), QString::number(100000 + i),
                         (i % 5000 + 1) / 100.0,
                         i % 3 ? QString() : QStringLiteral("caixa com 12 unidades")});
    const QString xlsx = programa.arquivo(QStringLiteral("tabela.xlsx"));
    if (!proposta::EscreveXlsx(xlsx, planilha))
        return 1;

    // The spreadsheet reader alone, over the same columns: what any import of this file costs.
    struct QuatroColunas : proposta::DestinoDeLinhas {
        qsizetype linhas = 0;
        bool linha(const QVariantList&) override { return ++linhas > 0; }
        QList<int> colunas() const override { return {0, 1, 2, 3}; }
    };
    QuatroColunas soLeitura;
    const double msLeitor = medianaMs(5, [&] {
        soLeitura = {};
        if (!proposta::PercorrePlanilha(xlsx, soLeitura))
            qFatal("the sheet could not be read");
    });

    proposta::PlanoDaTabela plano;
    bool guardou = true;
    double msLeitura = 0, msGravacao = 0;
    // The processor's time too: on a machine busy with other work the clock's figure grows.
    const std::clock_t processador = std::clock();
    const double ms = medianaMs(5, [&] {
        msLeitura += tempoMs([&] { plano = teste::Certo(proposta::LeTabelaDePrecos(xlsx)); });
        msGravacao += tempoMs(
            [&] { guardou = guardou && proposta::ImportaTabelaDePrecos(banco, plano, xlsx); });
    });
    const double msProcessador =
        double(std::clock() - processador) * 1000 / CLOCKS_PER_SEC / vezes(5);
    linha(QStringLiteral("Price table of %1 lines read from .xlsx and stored (read %2 ms, store "
                         "%3 ms, processor %4 ms; means)")
              .arg(plano.itens.size())
              .arg(msLeitura / vezes(5), 0, 'f', 0)
              .arg(msGravacao / vezes(5), 0, 'f', 0)
              .arg(msProcessador, 0, 'f', 0),
          QStringLiteral("< 1 s"), QString::number(ms, 'f', 0) + QStringLiteral(" ms"),
          QStringLiteral("the spreadsheet reader alone: %1 ms").arg(msLeitor, 0, 'f', 0));

    // A quotation whose products are found by barcode, by PLU alone, or not at all.
    QList<banco::ProdutoProcurado> produtos;
    for (int i = 0; i < produtosDaCotacao; ++i) {
        const int n = i * 13;
        if (i % 3 == 0)
            produtos.append({QString::number(7890000000000LL + n), QString::number(100000 + n)});
        else if (i % 3 == 1)
            produtos.append(
                {QStringLiteral("7899") + QString::number(n), QString::number(100000 + n)});
        else
            produtos.append(
                {QStringLiteral("7899") + QString::number(n), QString::number(900000 + n)});
    }
    qsizetype achados = 0;
    const double msProcura = medianaMs(21, [&] {
        const auto r = banco::TabelaDePrecos(banco).procura(produtos);
        achados = r ? r->size() : -1;
    });
    linha(QStringLiteral("Price table looked up for %1 products (%2 lines found)")
              .arg(produtosDaCotacao)
              .arg(achados),
          QStringLiteral("< 50 ms"), QString::number(msProcura, 'f', 1) + QStringLiteral(" ms"));

    const QDateTime inicio(QDate(2025, 1, 1), QTime(8, 0));
    teste::Certo(banco.transacao([&]() -> nucleo::Resultado<void> {
        for (int i = 0; i < recibos; ++i) {
            banco::Recibo r;
            r.quando = inicio.addSecs(3600LL * i);
            r.cotacao = QString::number(2025000000000000LL + i % 400);
            r.cnpj = QStringLiteral("11222333000181");
            r.arquivo = r.cotacao + r.cnpj + QStringLiteral(".cot");
            r.tamanho = 120000;
            r.sha256 = QByteArray(64, 'a');
            r.solicitante = QStringLiteral("Supermercado Nº %1").arg(i % 40);
            r.cotados = 3000 + i;
            r.produtos = 3500;
            r.total = 12345678 + i;
            if (auto feito = banco::Recibos(banco).registra(r); !feito)
                return feito;
        }
        return {};
    }));
    for (int i = 0; i < 5; ++i)
        teste::Certo(banco::Rascunhos(banco).guarda(
            QString::number(2026000000000000LL + i), QStringLiteral("11222333000181"),
            {{QStringLiteral("preco"), 1, QStringLiteral("p"), QStringLiteral("1,00"),
              inicio.addDays(100 + i)}}));
    int linhas = 0;
    const double msLista = medianaMs(11, [&] {
        auto* lista = new login::FormMinhasCotacoes(nullptr, banco, {},
                                                    [](const banco::Recibo&, const QByteArray&) {});
        lista->Show();
        lista->repaint();
        linhas = lista->findChild<QTableView*>()->model()->rowCount();
        delete lista;
    });
    linha(QStringLiteral("\"Minhas cotações\" opened and painted (%1 answers and drafts)")
              .arg(linhas),
          QStringLiteral("< 100 ms"), QString::number(msLista, 'f', 1) + QStringLiteral(" ms"));
    return guardou && plano.itens.size() == linhasDaTabela && achados > 0 && linhas == recibos + 5
               ? 0
               : 1;
}
