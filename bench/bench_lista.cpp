// Reading a product list of 299999 characters (about 3,500 products) into rows.
#include "Medida.h"
#include "quotation/formats/Lista.h"

#include <QCoreApplication>

using namespace formatos;

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QString lista;
    for (int i = 0; lista.size() < 299999; ++i)
        lista += EscreveLista({QString::number(100000 + i), QStringLiteral("7890000000011"),
                               QStringLiteral("AÇÚCAR REFINADO 1KG Nº %1").arg(i + 1),
                               QStringLiteral("120"), QStringLiteral("UN"), QString()});
    lista.truncate(299999);
    qsizetype linhas = 0;
    const double ms = medianaMs(51, [&] { linhas = LeRegistros(lista, 6).size(); });
    linha(QStringLiteral("ListaProdutos of 299999 chars into rows (%1 rows)").arg(linhas),
          QStringLiteral("< 5 ms"), QString::number(ms, 'f', 2) + QStringLiteral(" ms"));
    return linhas > 3000 ? 0 : 1;
}
