#pragma once

#include "nucleo/Resultado.h"

#include <QDir>
#include <QString>

// Texts of the failures the runtime tells: what the supplier reads when a file could not be
// read or written.
namespace nucleo::textos {

// How the error box names the runtime, before Qt's version.
inline const QString Runtime = QStringLiteral("Cotação runtime, Qt ");

// Why a file could not be written into `pasta`.
inline QString NaoGravou(Falha::Tipo tipo, const QString& pasta) {
    const QString local = QDir::toNativeSeparators(pasta);
    switch (tipo) {
    case Falha::Tipo::DiscoCheio:
        return QStringLiteral("Não foi possível gravar na pasta %1: o disco está cheio. Libere "
                              "espaço no disco e tente novamente.")
            .arg(local);
    case Falha::Tipo::SemPermissao:
        return QStringLiteral("Não foi possível gravar na pasta %1: a pasta não permite "
                              "gravação. Verifique as permissões da pasta.")
            .arg(local);
    default:
        return QStringLiteral("Não foi possível gravar na pasta %1. Verifique o espaço em disco "
                              "e as permissões da pasta e tente novamente.")
            .arg(local);
    }
}

// A file that is there but could not be read.
inline QString NaoLeu(const QString& arquivo) {
    return QStringLiteral("Não foi possível ler o arquivo %1. Verifique se ele não está aberto "
                          "em outro programa e as permissões da pasta.")
        .arg(QDir::toNativeSeparators(arquivo));
}

// A file that is not there.
inline QString NaoExiste(const QString& arquivo) {
    return QStringLiteral("O arquivo %1 não foi encontrado.")
        .arg(QDir::toNativeSeparators(arquivo));
}

} // namespace nucleo::textos
