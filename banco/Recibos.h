#pragma once

#include "banco/BancoLocal.h"

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>

#include <optional>

namespace banco {

// What was sent, once the server holds it whole.
struct Recibo {
    QDateTime quando;
    QString cotacao;
    QString cnpj;
    QString arquivo;
    qint64 tamanho = 0;
    QByteArray sha256; // hex digest of the bytes sent
    // What the list of answers shows, as the answer stood when sent. A receipt of an earlier
    // version has none of them: no products (conhecido() is false). Each has its default, so a
    // receipt built from the six fields above alone still builds.
    QString solicitante{}; // the quotation's requester, trimmed
    int cotados = 0;       // the products priced
    int produtos = 0;      // the products of the quotation
    qint64 total = 0;      // the answer's total in cents, as the status bar and report show it

    bool conhecido() const { return produtos > 0; }
    // True when `bytes` are those the receipt was made of.
    bool confere(const QByteArray& bytes) const;
    // The digest a receipt keeps of the bytes sent.
    static QByteArray Resumo(const QByteArray& bytes);
};

class Recibos {
public:
    explicit Recibos(BancoLocal& banco)
        : m_banco(banco) {}

    // Records the receipt (inside the caller's transaction, when there is one).
    nucleo::Resultado<void> registra(const Recibo& recibo);

    // The latest receipt of a quotation and supplier; nothing when none was sent.
    nucleo::Resultado<std::optional<Recibo>> ultimo(const QString& cotacao, const QString& cnpj);

    // Every receipt, newest first.
    nucleo::Resultado<QList<Recibo>> todos();

private:
    BancoLocal& m_banco;
};

} // namespace banco
