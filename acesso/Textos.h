#pragma once

#include <QString>

namespace acesso::textos {

inline const QString CodigoIncorreto = QStringLiteral("O código da cotação está incorreto.");
inline const QString SenhaIncorreta = QStringLiteral("A senha da cotação está incorreta.");
inline const QString CNPJIncorreto = QStringLiteral("O CNPJ está incorreto.");
inline const QString CotacaoInexistente =
    QStringLiteral("O número da cotação digitado é inexistente. Verifique.");
inline const QString FalhaServidor = QStringLiteral(
    "Não foi possível comunicar com o servidor de cotações. Verifique a sua conexão e tente "
    "novamente.");
// The quotation is there, but its file is past what the program takes: no wrong number.
inline const QString CotacaoGrandeDemais = QStringLiteral(
    "A cotação %1 existe no servidor, mas o arquivo dela é maior do que o programa aceita. "
    "Entre em contato com o comprador que publicou a cotação.");
inline const QString CNPJNaoLiberado =
    QStringLiteral("Este CNPJ não está liberado para fazer cotação. Verifique.");
inline const QString CopiaAusente = QStringLiteral(
    "A resposta da cotação %1 enviada em %2 às %3 não pode ser impressa: a cópia dela não está "
    "mais neste computador.");
inline const QString CopiaIlegivel = QStringLiteral(
    "A resposta da cotação %1 enviada em %2 às %3 não pode ser impressa: a cópia guardada neste "
    "computador existe, mas não pôde ser lida. Verifique se ela não está aberta em outro "
    "programa e tente de novo.");
inline const QString CopiaDiferente = QStringLiteral(
    "A resposta da cotação %1 enviada em %2 às %3 não pode ser impressa: a cópia guardada neste "
    "computador não é a que foi enviada (ela foi alterada ou substituída depois do envio).");

} // namespace acesso::textos
