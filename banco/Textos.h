#pragma once

#include <QString>

// What the local database's failures say, as the reason inside a sentence of the window that
// tells them ("... não foi guardado neste computador (%1)").
namespace banco::textos {

inline const QString DiscoCheio = QStringLiteral("o disco está cheio");
inline const QString EmUso =
    QStringLiteral("o arquivo Cotacao.db está em uso por outro programa; tente novamente");
inline const QString SemPermissao = QStringLiteral("a pasta do programa não permite gravação");
inline const QString ErroDeDisco = QStringLiteral("erro de leitura ou gravação no disco");
inline const QString Danificado = QStringLiteral("o arquivo Cotacao.db está danificado");
inline const QString VersaoNova =
    QStringLiteral("o arquivo Cotacao.db foi gravado por uma versão mais nova do programa");
inline const QString NaoMovido =
    QStringLiteral("o arquivo Cotacao.db danificado não pôde ser posto de lado");
inline const QString SemDiario =
    QStringLiteral("o sistema de arquivos desta pasta não permite o banco de dados local");
inline const QString Outro = QStringLiteral("erro no banco de dados local");

} // namespace banco::textos
