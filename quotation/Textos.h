#pragma once

#include <QString>

namespace TextosCotacao {
inline const QString Titulo = QStringLiteral("Cotação de mercadorias ...");
inline const QString PerguntaSair = QStringLiteral(
    "Deseja enviar os dados preenchidos para o cliente? Caso não seja efetuado o envio os dados "
    "serão perdidos.");
inline const QString PerguntaImprimir = QStringLiteral("Deseja imprimir a cotação preenchida?");
inline const QString Sim = QStringLiteral("Sim");
inline const QString Nao = QStringLiteral("Não");
inline const QString Enviada = QStringLiteral("Cotação enviada com sucesso.");
inline const QString ErroEnvio = QStringLiteral("ERRO no envio da cotação. Tente novamente.");
inline const QString Enviando = QStringLiteral("Enviando ...");

inline const QString TermosNaoGuardados = QStringLiteral(
    "A cotação foi enviada, mas as condições gerais não foram guardadas para a próxima cotação.");

// The draft of what was typed and not sent, and the receipt of the last sending.
inline const QString RecuperarRascunho = QStringLiteral(
    "Há preços e dados digitados em %1 às %2 que não foram enviados. Deseja recuperá-los?");
inline const QString UltimoEnvio = QStringLiteral("Última resposta enviada em %1 às %2");
inline const QString RascunhoFalhou =
    QStringLiteral("Não foi possível guardar o rascunho da cotação: %1");

inline const QString AjudaEnviar =
    QStringLiteral("Envia os dados preenchidos para o cliente que solicitou a cotação.");
inline const QString AjudaImprimir = QStringLiteral("Imprime um relatório da cotação preenchida.");
inline const QString AjudaSair = QStringLiteral("Sai do sistema de cotação.");
} // namespace TextosCotacao
