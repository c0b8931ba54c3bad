// One GetFileIni of a key in a 300 KB quotation file.
#include "Medida.h"
#include "nucleo/Ini.h"
#include "tests/support/DiretorioTeste.h"

#include <QCoreApplication>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    DiretorioTeste dir;
    QByteArray lista;
    for (int i = 0; lista.size() < 299000; ++i)
        lista += "[|" + QByteArray::number(100000 + i) +
                 "|][|7890000000011|][|A\xc7\xda"
                 "CAR REFINADO 1KG|][|120|][|UN|][||]";
    lista.truncate(299000);
    dir.escrever(QStringLiteral("grande.cot"),
                 "[Geral]\r\nSenhaCotacao=37214508\r\nListaProdutos=" + lista +
                     "\r\nSolicitante=Mercado\r\n");
    const QString arquivo = dir.arquivo(QStringLiteral("grande.cot"));
    QString valor;
    // The key after the long list: the whole file is read and scanned.
    const double ms = medianaMs(201, [&] {
        GetFileIni(QStringLiteral("Geral"), QStringLiteral("Solicitante"), {}, arquivo, valor);
    });
    const double lista299 = medianaMs(201, [&] {
        GetFileIni(QStringLiteral("Geral"), QStringLiteral("ListaProdutos"), {}, arquivo, valor);
    });
    linha(QStringLiteral("GetFileIni, key after a 299 KB value"), QStringLiteral("< 2 ms"),
          QString::number(ms, 'f', 3) + QStringLiteral(" ms"));
    linha(QStringLiteral("GetFileIni of the 299 KB value itself"), QStringLiteral("< 2 ms"),
          QString::number(lista299, 'f', 3) + QStringLiteral(" ms"));
    return valor.size() > 0 ? 0 : 1;
}
