#pragma once

#include "banco/BancoLocal.h"

#include <QDateTime>
#include <QHash>
#include <QList>
#include <QString>

namespace banco {

// The prices the supplier sent, product by product, so the next quotation can start from them.
class PrecosEnviados {
public:
    explicit PrecosEnviados(BancoLocal& banco)
        : m_banco(banco) {}

    struct Preco {
        QString preco; // as sent, e.g. "12,50"
        QDateTime quando;
    };

    // Keeps the prices of one sending (replacing those of an earlier sending of the same
    // quotation), inside the caller's transaction.
    nucleo::Resultado<void> registra(const QString& cotacao, const QDateTime& quando,
                                     const QList<QPair<QString, QString>>& produtoEPreco);

    // The most recent price of every product in any quotation but `exceto`.
    nucleo::Resultado<QHash<QString, Preco>> ultimos(const QString& exceto);

private:
    BancoLocal& m_banco;
};

} // namespace banco
