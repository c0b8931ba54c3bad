#include "banco/Recibos.h"

#include <QCryptographicHash>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

namespace banco {

namespace {

const QString kColunas = QStringLiteral(
    "quando, cotacao, cnpj, arquivo, tamanho, sha256, solicitante, cotados, produtos, total");

Recibo recibo(const QSqlQuery& q) {
    return Recibo{QDateTime::fromMSecsSinceEpoch(q.value(0).toLongLong()),
                  q.value(1).toString(),
                  q.value(2).toString(),
                  q.value(3).toString(),
                  q.value(4).toLongLong(),
                  q.value(5).toString().toLatin1(),
                  q.value(6).toString(),
                  q.value(7).toInt(),
                  q.value(8).toInt(),
                  q.value(9).toLongLong()};
}

} // namespace

QByteArray Recibo::Resumo(const QByteArray& bytes) {
    return QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex();
}

bool Recibo::confere(const QByteArray& bytes) const {
    return bytes.size() == tamanho && Resumo(bytes) == sha256;
}

nucleo::Resultado<void> Recibos::registra(const Recibo& r) {
    QSqlQuery q(m_banco.db());
    q.prepare(QStringLiteral("INSERT INTO envio (") + kColunas +
              QStringLiteral(") VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"));
    q.bindValue(0, r.quando.toMSecsSinceEpoch());
    q.bindValue(1, r.cotacao);
    q.bindValue(2, r.cnpj);
    q.bindValue(3, r.arquivo);
    q.bindValue(4, r.tamanho);
    q.bindValue(5, QString::fromLatin1(r.sha256));
    // A null text would be bound as NULL.
    q.bindValue(6, r.solicitante.isNull() ? QStringLiteral("") : r.solicitante);
    q.bindValue(7, r.cotados);
    q.bindValue(8, r.produtos);
    q.bindValue(9, r.total);
    if (!q.exec())
        return FalhaDoBanco(q.lastError());
    return {};
}

nucleo::Resultado<std::optional<Recibo>> Recibos::ultimo(const QString& cotacao,
                                                         const QString& cnpj) {
    QSqlQuery q(m_banco.db());
    q.prepare(QStringLiteral("SELECT ") + kColunas +
              QStringLiteral(" FROM envio WHERE cotacao = ? AND cnpj = ? "
                             "ORDER BY quando DESC, id DESC LIMIT 1"));
    q.bindValue(0, cotacao);
    q.bindValue(1, cnpj);
    if (!q.exec())
        return FalhaDoBanco(q.lastError());
    if (!q.next())
        return std::optional<Recibo>();
    return std::optional(recibo(q));
}

nucleo::Resultado<QList<Recibo>> Recibos::todos() {
    QList<Recibo> recibos;
    QSqlQuery q(m_banco.db());
    q.setForwardOnly(true);
    if (!q.exec(QStringLiteral("SELECT ") + kColunas +
                QStringLiteral(" FROM envio ORDER BY quando DESC, id DESC")))
        return FalhaDoBanco(q.lastError());
    while (q.next())
        recibos << recibo(q);
    return recibos;
}

} // namespace banco
