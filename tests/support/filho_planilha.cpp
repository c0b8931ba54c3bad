// A program of the test suite that imports one spreadsheet into an answer of three products (PLU
// 1001, 1002, 1003) and prints what came of it: the refusal (or an empty line), the prices
// refused, the cells planned, and its own peak memory in KB. The tests read the file under a
// process of its own, so the peak is the import's alone.
#include "nucleo/Regional.h"
#include "proposta/Importacao.h"

#include <QCoreApplication>

#include <cstdio>
#include <sys/resource.h>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc < 2)
        return 100;
    SetInternational(nucleo::ModoInternacional::Windows,
                     nucleo::ItensDaLocalidade::de(QLocale(QStringLiteral("pt_BR"))));
    formatos::Cotacao produtos;
    produtos.produtos = {{QStringLiteral("1001"), QStringLiteral("789"),
                          QStringLiteral("AÇÚCAR 1KG"), QStringLiteral("120"),
                          QStringLiteral("UN")},
                         {QStringLiteral("1002"), QStringLiteral("788"),
                          QStringLiteral("CAFÉ 500G"), QStringLiteral("48"), QStringLiteral("UN")},
                         {QStringLiteral("1003"), QString(), QStringLiteral("PÃO FRANCÊS"),
                          QStringLiteral("12,500"), QStringLiteral("KG")}};
    proposta::Proposta proposta;
    proposta.inicia(produtos);
    const auto lida = proposta::ImportaPlanilha(proposta, QString::fromLocal8Bit(argv[1]));
    const proposta::Importacao i = lida ? *lida : proposta::Importacao();
    rusage uso{};
    getrusage(RUSAGE_SELF, &uso);
    std::printf("%s\n%d\n%d\n%ld\n", qPrintable(lida ? QString() : lida.falha().texto), i.recusados,
                int(i.alteracoes.size()), uso.ru_maxrss);
    return 0;
}
