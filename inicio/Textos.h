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
// The server announces a version whose signed claim does not hold: the program goes on as it is.
inline const QString AtualizacaoRecusada = QStringLiteral(
    "O servidor anuncia uma nova versão do sistema de cotação, mas ela não pôde ser verificada e "
    "não será instalada. O programa continua funcionando nesta versão. Se este aviso voltar, "
    "entre em contato com o responsável pelo sistema de cotação.");
inline const QString OutraAtualizacao = QStringLiteral(
    "Outra janela do sistema de cotação já está instalando a nova versão. Aguarde que ela "
    "termine e abra o programa de novo.");
// Versao.ini could not be fetched (the line, the server): nothing is known of the version, and
// the supplier goes on with the one he has.
inline const QString VersaoNaoVerificada = QStringLiteral(
    "Não foi possível verificar se há uma versão nova do sistema de cotação: o servidor de "
    "cotações não respondeu como deveria. Você pode continuar usando esta versão. Se o problema "
    "continuar, verifique a sua conexão com a internet ou entre em contato com o responsável "
    "pelo sistema de cotação.");
// Why an announced update was not one, as the error log records it.
inline const QString VersaoNaoPublicada =
    QStringLiteral("O servidor não aceitou o número desta versão do programa em Versao.ini.");
inline const QString AtualizacaoRecusadaNoLog =
    QStringLiteral("Atualização anunciada e não instalada: %1.");
inline const QString MotivoSemAssinatura =
    QStringLiteral("não há assinatura da atualização no servidor");
inline const QString MotivoAssinaturaNaoBaixada =
    QStringLiteral("a assinatura da atualização não pôde ser baixada");
// The waiting notice while the installer comes down.
inline const QString BaixandoAtualizacao = QStringLiteral("Baixando atualização ...");
// The support's command that forgets a server's key.
inline const QString ServidorEsquecido = QStringLiteral(
    "O programa esqueceu o certificado de segurança do servidor %1. Na próxima conexão, o "
    "certificado dele será conferido como numa primeira conexão: faça isso só quando o responsável "
    "pelo "
    "sistema de cotação confirmar que trocou o certificado.");
inline const QString ServidorDesconhecido =
    QStringLiteral("O programa não guardava nenhum certificado do servidor %1.");
inline const QString ChaveDaConstrucaoFica = QStringLiteral(
    "O certificado de segurança do servidor %1 vem com o próprio programa e não pode ser "
    "esquecido: para um certificado novo, instale a versão do sistema de cotação que o traz.");
inline const QString EsquecerSemServidor = QStringLiteral(
    "Diga o servidor cujo certificado deve ser esquecido: --esquecer-servidor servidor[:porta]");

} // namespace inicio::textos
