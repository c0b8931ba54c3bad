#pragma once

#include <QDir>
#include <QString>

// Why a transfer failed, as the network layer tells it; the windows may tell the supplier in
// words of their own (the login's texts).
namespace remoto::textos {
// The waiting notice while a transfer connects.
inline const QString Conectando = QStringLiteral("Conectando ...");

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

// A server that spoke TLS to this program before and now cannot be trusted: the transfer stopped
// before the password was sent.
inline const QString CertificadoMudou = QStringLiteral(
    "O certificado de segurança do servidor de cotações não é o mesmo da última conexão. Por "
    "segurança, a conexão foi interrompida e nada foi enviado, nem a senha. Pode haver alguém "
    "interceptando a sua conexão: entre em contato com o responsável pelo sistema de cotação "
    "antes de tentar de novo.");
inline const QString SemTls = QStringLiteral(
    "O servidor de cotações deixou de oferecer a conexão segura (TLS) que oferecia antes. Por "
    "segurança, a conexão foi interrompida e nada foi enviado, nem a senha. Entre em contato com "
    "o responsável pelo sistema de cotação antes de tentar de novo.");
// What the program learnt of the servers' TLS could not be read (the local database is locked,
// of a newer version, or cannot be opened): nothing can be checked, so nothing is sent.
inline const QString RegistroIlegivel = QStringLiteral(
    "O programa não conseguiu ler o que guardou sobre a segurança do servidor de cotações "
    "(o arquivo Cotacao.db na pasta do programa). Por segurança, a conexão não foi feita e nada "
    "foi enviado, nem a senha. Feche as outras janelas do sistema de cotação abertas neste "
    "computador e tente de novo; se o problema continuar, entre em contato com o responsável "
    "pelo sistema de cotação.");
// Why a signature does not make a file the publisher's, as the error log records it.
inline const QString MotivoAssinaturaAusente =
    QStringLiteral("a assinatura da atualização não pôde ser lida");
inline const QString MotivoAssinaturaMalformada =
    QStringLiteral("o arquivo de assinatura não é uma assinatura válida");
inline const QString MotivoChaveInvalida =
    QStringLiteral("a chave de publicação deste programa não é válida");
inline const QString MotivoOutraChave =
    QStringLiteral("a assinatura não é da chave de publicação deste programa");
inline const QString MotivoNaoConfere = QStringLiteral("a assinatura não confere");
inline const QString MotivoSemVersao = QStringLiteral("a assinatura não diz a versão");
inline const QString MotivoVersaoAntiga =
    QStringLiteral("a versão assinada (%1) não é mais nova que a instalada (%2)");

// What the error log records of such a server: why, and both keys.
inline const QString DetalheDasChaves =
    QStringLiteral("%1; chave guardada: %2; chave apresentada: %3");
inline const QString ChaveDoSistema =
    QStringLiteral("(a do repositório de certificados do sistema)");
inline const QString ChaveDesconhecida = QStringLiteral("(desconhecida)");
inline const QString OutraChave = QStringLiteral("o certificado tem outra chave");
inline const QString TlsRecusado = QStringLiteral("o servidor recusou AUTH TLS");
// What the error log adds to a failed session's detail.
inline const QString UltimaResposta = QStringLiteral("; última resposta do servidor: \"%1\"");
inline const QString MaisQue = QStringLiteral("mais de %1 bytes");

} // namespace remoto::textos
