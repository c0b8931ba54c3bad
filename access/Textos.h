#pragma once

#include <QString>

namespace acesso::textos {
inline const QString EnderecoVideoAula =
    QStringLiteral("https://www.cotacaoeletronica.com.br/video-aula");

inline const QString TituloLogin = QStringLiteral("Acesso ao sistema ...");

inline const QString CodigoIncorreto = QStringLiteral("O código da cotação está incorreto.");
inline const QString SenhaIncorreta = QStringLiteral("A senha da cotação está incorreta.");
inline const QString CNPJIncorreto = QStringLiteral("O CNPJ está incorreto.");
inline const QString CotacaoInexistente =
    QStringLiteral("O número da cotação digitado é inexistente. Verifique.");
inline const QString FalhaServidor = QStringLiteral(
    "Não foi possível comunicar com o servidor de cotações. Verifique a sua conexão e tente "
    "novamente.");
inline const QString CNPJNaoLiberado =
    QStringLiteral("Este CNPJ não está liberado para fazer cotação. Verifique.");
} // namespace acesso::textos
