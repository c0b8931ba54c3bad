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
inline const QString SemConexao =
    QStringLiteral("Não foi possível conectar a internet. Verifique.");
inline const QString ErroGravacao = QStringLiteral(
    "Não foi possível gravar a resposta na pasta do programa. Verifique o espaço em disco e as "
    "permissões da pasta e tente novamente.");
inline const QString VerificandoConexao = QStringLiteral("Verificando conexão ...");
inline const QString Enviando = QStringLiteral("Enviando ...");

inline const QString AjudaEnviar =
    QStringLiteral("Envia os dados preenchidos para o cliente que solicitou a cotação.");
inline const QString AjudaImprimir = QStringLiteral("Imprime um relatório da cotação preenchida.");
inline const QString AjudaSair = QStringLiteral("Sai do sistema de cotação.");
} // namespace TextosCotacao
