#include "banco/Rascunhos.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

namespace banco {

nucleo::Resultado<void> Rascunhos::guarda(const QString& cotacao, const QString& cnpj,
                                          const QList<ItemRascunho>& itens) {
    return m_banco.transacao([&]() -> nucleo::Resultado<void> {
        QSqlQuery q(m_banco.db());
        q.prepare(QStringLiteral(
            "INSERT INTO rascunho (cotacao, cnpj, campo, linha, produto, valor, alterado) "
            "VALUES (?, ?, ?, ?, ?, ?, ?) ON CONFLICT (cotacao, cnpj, campo, linha) DO UPDATE SET "
            "produto = excluded.produto, valor = excluded.valor, alterado = excluded.alterado"));
        for (const ItemRascunho& item : itens) {
            q.bindValue(0, cotacao);
            q.bindValue(1, cnpj);
            q.bindValue(2, item.campo);
            q.bindValue(3, item.linha);
            // A null text would be bound as NULL.
            q.bindValue(4, item.produto.isNull() ? QStringLiteral("") : item.produto);
            q.bindValue(5, item.valor.isNull() ? QStringLiteral("") : item.valor);
            q.bindValue(6, item.alterado.toMSecsSinceEpoch());
            if (!q.exec())
                return FalhaDoBanco(q.lastError());
        }
        return {};
    });
}

nucleo::Resultado<QList<ItemRascunho>> Rascunhos::le(const QString& cotacao, const QString& cnpj) {
    QList<ItemRascunho> itens;
    QSqlQuery q(m_banco.db());
    q.setForwardOnly(true);
    q.prepare(QStringLiteral("SELECT campo, linha, produto, valor, alterado FROM rascunho "
                             "WHERE cotacao = ? AND cnpj = ? ORDER BY linha, campo"));
    q.bindValue(0, cotacao);
    q.bindValue(1, cnpj);
    if (!q.exec())
        return FalhaDoBanco(q.lastError());
    while (q.next())
        itens.append({q.value(0).toString(), q.value(1).toInt(), q.value(2).toString(),
                      q.value(3).toString(),
                      QDateTime::fromMSecsSinceEpoch(q.value(4).toLongLong())});
    return itens;
}

nucleo::Resultado<std::optional<QDateTime>> Rascunhos::ultimaAlteracao(const QString& cotacao,
                                                                       const QString& cnpj) {
    QSqlQuery q(m_banco.db());
    q.prepare(QStringLiteral("SELECT max(alterado) FROM rascunho WHERE cotacao = ? AND cnpj = ?"));
    q.bindValue(0, cotacao);
    q.bindValue(1, cnpj);
    if (!q.exec())
        return FalhaDoBanco(q.lastError());
    if (!q.next() || q.value(0).isNull())
        return std::optional<QDateTime>();
    return std::optional(QDateTime::fromMSecsSinceEpoch(q.value(0).toLongLong()));
}

nucleo::Resultado<QList<RascunhoPendente>> Rascunhos::pendentes() {
    QList<RascunhoPendente> rascunhos;
    QSqlQuery q(m_banco.db());
    q.setForwardOnly(true);
    if (!q.exec(QStringLiteral("SELECT cotacao, cnpj, max(alterado) AS ultima FROM rascunho "
                               "GROUP BY cotacao, cnpj ORDER BY ultima DESC, cotacao")))
        return FalhaDoBanco(q.lastError());
    while (q.next())
        rascunhos.append({q.value(0).toString(), q.value(1).toString(),
                          QDateTime::fromMSecsSinceEpoch(q.value(2).toLongLong())});
    return rascunhos;
}

nucleo::Resultado<void> Rascunhos::descarta(const QString& cotacao, const QString& cnpj) {
    QSqlQuery q(m_banco.db());
    q.prepare(QStringLiteral("DELETE FROM rascunho WHERE cotacao = ? AND cnpj = ?"));
    q.bindValue(0, cotacao);
    q.bindValue(1, cnpj);
    if (!q.exec())
        return FalhaDoBanco(q.lastError());
    return {};
}

} // namespace banco
