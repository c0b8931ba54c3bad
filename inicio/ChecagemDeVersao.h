#pragma once

#include "nucleo/Resultado.h"

#include <QString>

#include <optional>

// True when the installed program may run; false when the server publishes a newer version or
// its version file could not be downloaded. A program newer than the server publishes its own
// number, only after the server answered with its file or a clean "no such file". Versao.ini
// only says that an update may be there: whether there is one is decided by the update's signed
// claim (AppCotacao).
bool VerificaVersao(const QString& servidor);

namespace inicio {

inline const QString kArquivoVersao = QStringLiteral("Versao.ini");

// The version check with what start-up needs besides its answer.
struct ChecagemDeVersao {
    bool podeRodar = false;
    // The program's folder could not take Versao.ini: nothing was compared or published, and no
    // update may be announced.
    std::optional<nucleo::Falha> gravacao{};
    // The server did not take the number this newer program published (told in the error log;
    // the next start tries again).
    bool naoPublicou = false;
};
ChecagemDeVersao ChecaVersao(const QString& servidor);

} // namespace inicio
