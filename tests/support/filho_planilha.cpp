// A program of the test suite that imports one spreadsheet into a grid of three products (PLU
// 1001, 1002, 1003) and prints what came of it: the refusal (or an empty line), the prices
// refused, the cells planned, and its own peak memory in KB. The tests read the file under a
// process of its own, so the peak is the import's alone.
#include "grid/DadosGrade.h"
#include "quotation/Importacao.h"
#include "runtime/core/Regional.h"

#include <QCoreApplication>

#include <cstdio>
#include <sys/resource.h>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc < 2)
        return 100;
    SetInternational(nucleo::ModoInternacional::Windows,
                     nucleo::ItensDaLocalidade::de(QLocale(QStringLiteral("pt_BR"))));
    grade::DadosGrade dados;
    dados.setColunas(8);
    dados.setLinhas(1);
    dados.adicionaLinha(QStringLiteral("1001\t789\tAÇÚCAR 1KG\t120\tUN\t0,00"));
    dados.adicionaLinha(QStringLiteral("1002\t788\tCAFÉ 500G\t48\tUN\t0,00"));
    dados.adicionaLinha(QStringLiteral("1003\t\tPÃO FRANCÊS\t12,500\tKG\t0,00"));
    const cotacao::Importacao i = cotacao::ImportaPlanilha(dados, QString::fromLocal8Bit(argv[1]));
    rusage uso{};
    getrusage(RUSAGE_SELF, &uso);
    std::printf("%s\n%d\n%d\n%ld\n", qPrintable(i.recusa), i.recusados, int(i.alteracoes.size()),
                uso.ru_maxrss);
    return 0;
}
