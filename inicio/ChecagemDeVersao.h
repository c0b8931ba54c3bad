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
    // VerificaVersao's answer: the server's file came, and announces no newer version.
    bool podeRodar = false;
    // The server's file (or, where the server has none, the copy an earlier run left) names a
    // newer version: whether there is one is for the update's signed claim to say.
    bool anunciada = false;
    // The server did not take the number this newer program published (its detail is in the
    // error log; the next start tries again).
    bool naoPublicou = false;
};
// Fails, saying what happened, when nothing can be known of the version: Versao.ini could not be
// fetched (the line, the server, a server that can no longer be trusted; the server's clean "no
// such file" is no failure), or the program's folder could not take it.
nucleo::Resultado<ChecagemDeVersao> ChecaVersao(const QString& servidor);

} // namespace inicio
