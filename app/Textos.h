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
inline const QString AtualizacaoNaoVerificada = QStringLiteral(
    "A atualização baixada não pôde ser verificada: o arquivo recebido não é o que foi "
    "publicado. Ele foi descartado; tente novamente mais tarde ou procure o suporte.");
// The waiting notice while the installer comes down.
inline const QString BaixandoAtualizacao = QStringLiteral("Baixando atualização ...");
} // namespace inicio::textos
