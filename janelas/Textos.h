#pragma once

#include <QDir>
#include <QString>

// Texts the window services show.
namespace janelas::textos {
inline const QString Aviso = QStringLiteral("Aviso");

// The waiting notice, the thank-you window, and what the notice says while the forms reach the
// network.
inline const QString TituloEspera = QStringLiteral("Aguarde ...");
inline const QString TituloObrigado = QStringLiteral("Obrigado!");
inline const QString VerificandoConexao = QStringLiteral("Verificando conexão ...");
inline const QString Conectando = QStringLiteral("Conectando ...");
inline const QString SemConexao =
    QStringLiteral("Não foi possível conectar a internet. Verifique.");

// The error box's buttons.
inline const QString Ignorar = QStringLiteral("&Ignorar");
inline const QString Repetir = QStringLiteral("&Repetir");
inline const QString Encerrar = QStringLiteral("&Encerrar o programa");

} // namespace janelas::textos
