#include "banco/ServidoresTls.h"

#include <QDateTime>
#include <QSqlError>
#include <QSqlQuery>

namespace banco {

nucleo::Resultado<std::optional<QByteArray>> ServidoresTls::procura(const QString& servidor) {
    if (auto aberto = m_banco.abre(); !aberto)
        return aberto.falha();
    QSqlQuery q(m_banco.db());
    q.prepare(QStringLiteral("SELECT chave FROM servidor_tls WHERE servidor = ?"));
    q.bindValue(0, servidor);
    if (!q.exec())
        return FalhaDoBanco(q.lastError());
    if (!q.next())
        return std::optional<QByteArray>();
    return std::optional(q.value(0).toString().toLatin1());
}

nucleo::Resultado<void> ServidoresTls::guarda(const QString& servidor, const QByteArray& chave) {
    if (auto aberto = m_banco.abre(); !aberto)
        return aberto.falha();
    QSqlQuery q(m_banco.db());
    // The first contact's key is the one the server is known by: a later session cannot
    // replace it (it fails on another key before it learns anything).
    q.prepare(QStringLiteral(
        "INSERT OR IGNORE INTO servidor_tls (servidor, chave, desde) VALUES (?, ?, ?)"));
    q.bindValue(0, servidor);
    // Empty, not NULL, for a certificate the trust store vouched for.
    q.bindValue(1, chave.isEmpty() ? QStringLiteral("") : QString::fromLatin1(chave));
    q.bindValue(2, QDateTime::currentSecsSinceEpoch());
    if (!q.exec())
        return FalhaDoBanco(q.lastError());
    return {};
}

nucleo::Resultado<bool> ServidoresTls::esquece(const QString& servidor) {
    if (auto aberto = m_banco.abre(); !aberto)
        return aberto.falha();
    QSqlQuery q(m_banco.db());
    q.prepare(QStringLiteral("DELETE FROM servidor_tls WHERE servidor = ?"));
    q.bindValue(0, servidor);
    if (!q.exec())
        return FalhaDoBanco(q.lastError());
    return q.numRowsAffected() > 0;
}

} // namespace banco
