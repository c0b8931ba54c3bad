#pragma once

#include <QString>

namespace login::textos {
inline const QString EnderecoVideoAula =
    QStringLiteral("https://www.cotacaoeletronica.com.br/video-aula");

inline const QString TituloLogin = QStringLiteral("Acesso ao sistema ...");
// The login's fields, as a screen reader says them, and its buttons.
inline const QString NomeCNPJ = QStringLiteral("CNPJ");
inline const QString NomeCodigo = QStringLiteral("Número da cotação");
inline const QString NomeSenha = QStringLiteral("Senha");
inline const QString BotaoOk = QStringLiteral("Ok");
inline const QString BotaoSair = QStringLiteral("Sair");
inline const QString BotaoVideoAula = QStringLiteral("Video Aula");

// The answers sent from this computer and the drafts not yet sent.
inline const QString MinhasCotacoes = QStringLiteral("Minhas cotações...");
inline const QString AjudaMinhasCotacoes = QStringLiteral(
    "Mostra as respostas enviadas deste computador e os rascunhos ainda não enviados (F3).");
inline const QString TituloMinhasCotacoes = QStringLiteral("Minhas cotações");
inline const QString Filtrar = QStringLiteral("&Filtrar:");
inline const QString DicaFiltro = QStringLiteral("número da cotação ou solicitante");
inline const QString NomeFiltro = QStringLiteral("Filtrar por número ou solicitante");
inline const QString NomeLista = QStringLiteral("Respostas enviadas e rascunhos");
inline const QString ColunaQuando = QStringLiteral("Data e hora");
inline const QString ColunaCotacao = QStringLiteral("Cotação");
inline const QString ColunaSolicitante = QStringLiteral("Solicitante");
inline const QString ColunaCotados = QStringLiteral("Cotados");
inline const QString ColunaTotal = QStringLiteral("Total");
inline const QString ColunaSituacao = QStringLiteral("Situação");
inline const QString Enviada = QStringLiteral("Enviada");
inline const QString Rascunho = QStringLiteral("Rascunho");
inline const QString Desconhecido = QStringLiteral("—");
inline const QString CotadosDeTotal = QStringLiteral("%1 de %2");
inline const QString BotaoUsar = QStringLiteral("&Usar este número");
inline const QString AjudaUsar =
    QStringLiteral("Põe o número da cotação escolhida no acesso (Enter ou duplo clique).");
inline const QString BotaoImprimir = QStringLiteral("&Imprimir");
inline const QString AjudaImprimirResposta = QStringLiteral(
    "Imprime a resposta escolhida a partir da cópia guardada neste computador (Ctrl+P).");
inline const QString BotaoFechar = QStringLiteral("Fechar");
inline const QString AjudaFechar = QStringLiteral("Fecha a lista (Esc).");
inline const QString NenhumaResposta =
    QStringLiteral("Nenhuma resposta foi enviada deste computador e não há rascunhos guardados.");
inline const QString RespostasIlegiveis =
    QStringLiteral("Não foi possível ler as respostas guardadas neste computador (%1).");

} // namespace login::textos
