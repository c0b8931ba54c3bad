// A program of the test suite that saves a 3,500-row draft again and again, every row with the
// same number in each save, and prints the number after each commit. The test kills it with
// SIGKILL at some moment and checks what it left.
#include "banco/BancoLocal.h"
#include "banco/Rascunhos.h"

#include <QCoreApplication>

#include <cstdio>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc < 2)
        return 100;
    banco::BancoLocal banco(QString::fromLocal8Bit(argv[1]));
    if (auto aberto = banco.abre(); !aberto) {
        std::fprintf(stderr, "%s\n", qPrintable(aberto.falha().detalhe));
        return 101;
    }
    banco::Rascunhos rascunhos(banco);
    for (int vez = 1;; ++vez) {
        QList<banco::ItemRascunho> itens;
        for (int linha = 1; linha <= 3500; ++linha)
            itens.append({QStringLiteral("preco"), linha, QStringLiteral("produto"),
                          QString::number(vez), QDateTime::currentDateTime()});
        if (!rascunhos.guarda(QStringLiteral("2026000000012345"), QStringLiteral("1"), itens))
            return 102;
        std::printf("%d\n", vez);
        std::fflush(stdout);
    }
}
