#pragma once

#include <QDir>
#include <QString>

// Why a transfer failed, as the network layer tells it; the windows may tell the supplier in
// words of their own (the login's texts).
namespace remoto::textos {

inline const QString SemServidor =
    QStringLiteral("Não foi possível conectar ao servidor, ou a transferência foi interrompida. "
                   "Verifique a conexão com a internet e tente novamente.");
inline const QString Inexistente = QStringLiteral("O arquivo %1 não existe no servidor.");
inline const QString GrandeDemais =
    QStringLiteral("O arquivo %1 no servidor é maior do que o programa aceita.");
inline const QString NaoRecebeuInteiro =
    QStringLiteral("O servidor não recebeu o arquivo %1 inteiro. Tente enviar novamente.");
inline const QString NomeInvalido =
    QStringLiteral("O nome de arquivo %1 não serve para uma transferência.");

} // namespace remoto::textos
