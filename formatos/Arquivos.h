#pragma once

#include <QString>

namespace formatos {

// Names, keys and defaults of the files the program exchanges and keeps. Every key lives in
// section "Geral".
namespace Arquivos {
inline const QString Secao = QStringLiteral("Geral");
inline const QString Config = QStringLiteral("Config.ini");

// The quotation file, published by the buyer: read only.
namespace Cotacao {
inline const QString SenhaCotacao = QStringLiteral("SenhaCotacao");
inline const QString ListaFornecedor = QStringLiteral("ListaFornecedor"); // records of 4
inline const QString Solicitante = QStringLiteral("Solicitante");
inline const QString ListaProdutos = QStringLiteral("ListaProdutos"); // records of 6
inline constexpr int CamposFornecedor = 4;
inline constexpr int CamposProduto = 6;
} // namespace Cotacao

// The supplier's answer, written and uploaded on sending, downloaded again at the next login.
namespace Resposta {
inline const QString ListaPrecosForn = QStringLiteral("ListaPrecosForn");
inline const QString ListaObsProdutos = QStringLiteral("ListaObsProdutos");
inline const QString ObsGeral = QStringLiteral("ObsGeral");
inline const QString PrazoEntrega = QStringLiteral("PrazoEntrega");
inline const QString FormaPgto = QStringLiteral("FormaPgto");
inline const QString PedidoMinimo = QStringLiteral("PedidoMinimo");
inline const QString ValorFrete = QStringLiteral("ValorFrete");
} // namespace Resposta

// Config.ini: the last CNPJ that logged in and the terms of the last answer sent.
namespace Local {
inline const QString CNPJ = QStringLiteral("CNPJ");
} // namespace Local

// A quotation number as it may become part of a file name: exactly 16 ASCII digits.
bool NumeroCotacaoValido(const QString& numero);

// "<number>.cot" and "<number><CNPJ digits>.cot".
QString NomeCotacao(const QString& numero);
QString NomeResposta(const QString& numero, const QString& cnpjDigitos);
} // namespace Arquivos

} // namespace formatos
