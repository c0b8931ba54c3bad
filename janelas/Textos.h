#pragma once

#include <QString>

// Texts the window services show.
namespace janelas::textos {
inline const QString Aviso = QStringLiteral("Aviso");

// The waiting notice, the thank-you window, and what the notice says while the forms reach the
// network.
inline const QString TituloEspera = QStringLiteral("Aguarde ...");
inline const QString TituloObrigado = QStringLiteral("Obrigado!");
inline const QString VerificandoConexao = QStringLiteral("Verificando conexão ...");
inline const QString SemConexao =
    QStringLiteral("Não foi possível conectar a internet. Verifique.");
// The waiting notice before it is told what it waits for, and how far a transfer got (with and
// without its size known).
inline const QString SemInformacao = QStringLiteral("Sem informação!");
inline const QString ProgressoComTotal = QStringLiteral("%1 % (%2 de %3 KB)");
inline const QString ProgressoSemTotal = QStringLiteral("%1 KB");
// The thank-you window's button.
inline const QString BotaoOk = QStringLiteral("Ok");

// The error box's buttons.
inline const QString Ignorar = QStringLiteral("&Ignorar");
inline const QString Repetir = QStringLiteral("&Repetir");
inline const QString Encerrar = QStringLiteral("&Encerrar o programa");
// What the error box says of a settings file that could not be written, and of an exception
// that tells nothing of itself.
inline const QString ConfiguracoesNaoGravadas =
    QStringLiteral("Não foi possível gravar o arquivo de configurações");
inline const QString ExcecaoDesconhecida = QStringLiteral("exceção desconhecida");

} // namespace janelas::textos
