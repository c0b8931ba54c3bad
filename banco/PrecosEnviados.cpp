#include "banco/PrecosEnviados.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

namespace banco {

nucleo::Resultado<void>
PrecosEnviados::registra(const QString& cotacao, const QDateTime& quando,
                         const QList<QPair<QString, QString>>& produtoEPreco) {
    QSqlQuery q(m_banco.db());
    q.prepare(QStringLiteral("DELETE FROM preco_enviado WHERE cotacao = ?"));
    q.bindValue(0, cotacao);
    if (!q.exec())
        return FalhaDoBanco(q.lastError());
    q.prepare(QStringLiteral("INSERT OR REPLACE INTO preco_enviado (produto, cotacao, preco, "
                             "quando) VALUES (?, ?, ?, ?)"));
    for (const auto& [produto, preco] : produtoEPreco) {
        q.bindValue(0, produto);
        q.bindValue(1, cotacao);
        q.bindValue(2, preco);
        q.bindValue(3, quando.toMSecsSinceEpoch());
        if (!q.exec())
            return FalhaDoBanco(q.lastError());
    }
    return {};
}

nucleo::Resultado<QHash<QString, PrecosEnviados::Preco>>
PrecosEnviados::ultimos(const QString& exceto) {
    QHash<QString, Preco> precos;
    QSqlQuery q(m_banco.db());
    q.setForwardOnly(true);
    // SQLite takes the other columns from the row that holds the max().
    q.prepare(QStringLiteral("SELECT produto, preco, max(quando) FROM preco_enviado "
                             "WHERE cotacao <> ? GROUP BY produto"));
    q.bindValue(0, exceto);
    if (!q.exec())
        return FalhaDoBanco(q.lastError());
    while (q.next())
        precos.insert(q.value(0).toString(), {q.value(1).toString(), QDateTime::fromMSecsSinceEpoch(
                                                                         q.value(2).toLongLong())});
    return precos;
}

} // namespace banco
