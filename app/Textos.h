#pragma once

#include <QString>

namespace inicio::textos {
inline const QString SemConexao =
    QStringLiteral("Não foi possível conectar a internet. Verifique a sua conexão.");
inline const QString NovaVersao = QStringLiteral(
    "O sistema de cotação possui uma nova versão. Aguarde que a nova versão será baixada "
    "automaticamente. (OBS: ESTE PROCEDIMENTO PODE DEMORAR ALGUNS MINUTOS DEPENDENDO DA "
    "VELOCIDADE DA CONEXÃO.)");
inline const QString Desatualizada = QStringLiteral(
    "A versão deste software está desatualizada. O programa de atualização será executado a "
    "seguir.");
inline const QString FalhaDownload =
    QStringLiteral("Não foi possível baixar a versão atualizada. Tente novamente mais tarde.");
inline const QString FalhaInstalador = QStringLiteral(
    "Não foi possível iniciar o programa de atualização (CotacaoInstall.exe). Ele foi baixado "
    "para a pasta do programa; execute-o a partir de lá ou procure o suporte.");
// The downloaded installer is unsigned, not signed by the publisher, changed, or older than
// this program: it was deleted without running.
inline const QString AtualizacaoNaoVerificada = QStringLiteral(
    "Não foi possível verificar a autenticidade da atualização baixada. Por segurança, ela foi "
    "apagada e não foi instalada. Entre em contato com o responsável pelo sistema de cotação.");
// The waiting notice while the installer comes down.
inline const QString BaixandoAtualizacao = QStringLiteral("Baixando atualização ...");
} // namespace inicio::textos
