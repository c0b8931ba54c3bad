#pragma once

#include <QByteArray>
#include <QString>

#include <functional>
#include <optional>

// What the program knows of each server's TLS. A server that offers TLS gets the password and
// the files only over it: its certificate is accepted when the system's trust store vouches for
// it under the server's name, otherwise its public key is remembered at the first contact and
// required from then on. A server that has spoken TLS here never again gets the password in
// clear.
namespace remoto {

struct ServidorConhecido {
    bool tls = false;
    // "sha256//<base64>": the SHA-256 of the SubjectPublicKeyInfo of its certificate, as pinned;
    // empty when the system's trust store vouched for it.
    QByteArray chave;
};

// Where what was learnt is kept between runs (the local database; start-up sets it). Called on
// the network thread. Without it, what is learnt lasts for the run.
struct GuardaDeServidores {
    std::function<std::optional<ServidorConhecido>(const QString& servidor)> procura;
    std::function<void(const QString& servidor, const ServidorConhecido& conhecido)> guarda;
};
void UsaGuardaDeServidores(GuardaDeServidores guarda);

// What is known of `servidor` ("host" or "host:port"): what this run learnt, else what was kept,
// else, for the vendor's own server, the key the program was built with (COTACAO_CHAVE_FTP).
ServidorConhecido Conhecido(const QString& servidor);
// Keeps what a session learnt of `servidor`, for this run and, through the guard, for the next.
void Aprende(const QString& servidor, const ServidorConhecido& conhecido);

// The pin of a certificate in DER: "sha256//" and the base64 of the SHA-256 of its
// SubjectPublicKeyInfo, as CURLOPT_PINNEDPUBLICKEY takes it; empty when `der` is not a
// certificate.
QByteArray ChaveDoCertificado(const QByteArray& der);
// The same, of a certificate in PEM ("-----BEGIN CERTIFICATE-----").
QByteArray ChaveDoCertificadoPem(const QByteArray& pem);

} // namespace remoto
