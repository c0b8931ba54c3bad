#pragma once

#include "banco/BancoLocal.h"

#include <QByteArray>
#include <QString>

#include <optional>

namespace banco {

// The servers that have spoken TLS to this program, each with the key its certificate was
// pinned to ("sha256//<base64>"), or none when the system's trust store vouched for it.
class ServidoresTls {
public:
    explicit ServidoresTls(BancoLocal& banco)
        : m_banco(banco) {}

    // The key of a server that spoke TLS here (empty: the trust store's); nothing when it never
    // did.
    nucleo::Resultado<std::optional<QByteArray>> procura(const QString& servidor);
    // Records that `servidor` spoke TLS, with its key; a server is recorded once, and what was
    // recorded first stays.
    nucleo::Resultado<void> guarda(const QString& servidor, const QByteArray& chave);

    // Forgets what was learnt of `servidor`, for the vendor's support when the vendor really
    // changed its certificate: the next session meets it as at a first contact. Whether there was
    // anything to forget.
    nucleo::Resultado<bool> esquece(const QString& servidor);

private:
    BancoLocal& m_banco;
};

} // namespace banco
