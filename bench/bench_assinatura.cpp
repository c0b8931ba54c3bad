// The self-update's check of a 12 MB installer against its minisign signature (BLAKE2b-512 of
// the file, then two Ed25519 verifications), the file in the page cache as right after its
// download.
#include "Medida.h"
#include "remoto/Assinatura.h"
#include "tests/support/DiretorioTeste.h"
#include "tests/support/Minisign.h"

#include <QCoreApplication>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    DiretorioTeste dir;
    dir.escrever(QStringLiteral("CotacaoInstall.exe"),
                 minisign::instaladorDeTeste(12 * 1024 * 1024));
    const QString arquivo = dir.arquivo(QStringLiteral("CotacaoInstall.exe"));
    const QString assinatura = remoto::ArquivoDeAssinatura(arquivo);
    if (!minisign::assina(arquivo, assinatura, QStringLiteral("versao=99.01")))
        return 1;
    const QByteArray chave = minisign::ler(minisign::chavePublicaTeste());
    bool valida = true;
    const double ms = medianaMs(21, [&] {
        valida =
            valida &&
            remoto::VerificaAssinatura(arquivo, assinatura, chave, QStringLiteral("1.07")).ok();
    });
    linha(QStringLiteral("Signature check of a 12 MB installer (BLAKE2b-512 + Ed25519)"),
          QStringLiteral("< 100 ms"), QString::number(ms, 'f', 1) + QStringLiteral(" ms"));
    return valida ? 0 : 1;
}
