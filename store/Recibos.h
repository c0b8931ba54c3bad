#pragma once

#include "store/BancoLocal.h"

#include <QByteArray>
#include <QDateTime>
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
};

class Recibos {
public:
    explicit Recibos(BancoLocal& banco)
        : m_banco(banco) {}

    // Records the receipt (inside the caller's transaction, when there is one).
    bool registra(const Recibo& recibo);

    // The latest receipt of a quotation and supplier.
    std::optional<Recibo> ultimo(const QString& cotacao, const QString& cnpj);

private:
    BancoLocal& m_banco;
};

} // namespace banco
