#include "app/Versao.h"

#include "remote/Ftp.h"
#include "remote/Ini.h"
#include "remote/Servidor.h"
#include "runtime/ProgramDir.h"
#include "runtime/Regional.h"

bool VerificaVersao(const QString& servidor) {
    using namespace Servidor;
    bool resultado = BaixarArquivoViaFTP(servidor, Usuario, Senha, Diretorio, kArquivoVersao);

    // Read even after a failed download: the copy of an earlier run, or "0" when there is none.
    const QString local = programFile(kArquivoVersao);
    QString versaoServidor;
    GetFileIni(QStringLiteral("Geral"), QStringLiteral("Versao"), QStringLiteral("0"), local,
               versaoServidor);

    const double nossa = Val(kVersaoPrograma);
    const double publicada = Val(versaoServidor);
    if (nossa > publicada) {
        GravaIni(QStringLiteral("Geral"), QStringLiteral("Versao"), kVersaoPrograma, local);
        EnviarArquivoViaFTP(servidor, Usuario, Senha, Diretorio, kArquivoVersao);
    } else if (nossa < publicada) {
        resultado = false;
    }
    return resultado;
}
