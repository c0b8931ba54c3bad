#include "store/Recibos.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

namespace banco {

bool Recibos::registra(const Recibo& r) {
    QSqlQuery q(m_banco.db());
    q.prepare(QStringLiteral("INSERT INTO envio (quando, cotacao, cnpj, arquivo, tamanho, sha256) "
                             "VALUES (?, ?, ?, ?, ?, ?)"));
    q.bindValue(0, r.quando.toMSecsSinceEpoch());
    q.bindValue(1, r.cotacao);
    q.bindValue(2, r.cnpj);
    q.bindValue(3, r.arquivo);
    q.bindValue(4, r.tamanho);
    q.bindValue(5, QString::fromLatin1(r.sha256));
    return q.exec() || m_banco.falhou(q.lastError().text());
}

std::optional<Recibo> Recibos::ultimo(const QString& cotacao, const QString& cnpj) {
    QSqlQuery q(m_banco.db());
    q.prepare(
        QStringLiteral("SELECT quando, arquivo, tamanho, sha256 FROM envio "
                       "WHERE cotacao = ? AND cnpj = ? ORDER BY quando DESC, id DESC LIMIT 1"));
    q.bindValue(0, cotacao);
    q.bindValue(1, cnpj);
    if (!q.exec() || !q.next())
        return std::nullopt;
    return Recibo{QDateTime::fromMSecsSinceEpoch(q.value(0).toLongLong()),
                  cotacao,
                  cnpj,
                  q.value(1).toString(),
                  q.value(2).toLongLong(),
                  q.value(3).toString().toLatin1()};
}

} // namespace banco
