#pragma once

#include "nucleo/Resultado.h"

#include <QByteArray>
#include <QList>
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
// the network thread. Without it, what is learnt lasts for the run. A lookup that cannot read the
// store fails: that is never "this server was never seen".
struct GuardaDeServidores {
    std::function<nucleo::Resultado<std::optional<ServidorConhecido>>(const QString& servidor)>
        procura;
    std::function<void(const QString& servidor, const ServidorConhecido& conhecido)> guarda;
};
void UsaGuardaDeServidores(GuardaDeServidores guarda);

// The key the vendor's server is known by from the program's build (COTACAO_CHAVE_FTP); empty
// when it was built without one.
QByteArray ChaveDaConstrucao();
// Whether `servidor` is the vendor's, known by the key the program was built with.
bool ConhecidoPelaConstrucao(const QString& servidor);

// What is known of `servidor` ("host" or "host:port"). For the vendor's own server, the key the
// program was built with (COTACAO_CHAVE_FTP), whatever was learnt; else what this run learnt,
// else what was kept. Fails, with the store's words as its detail, when what was kept cannot be
// read: no session may then start, since nothing could be checked.
nucleo::Resultado<ServidorConhecido> Conhecido(const QString& servidor);
// The name a server is known by in what was learnt: its address as typed, without blanks or case.
QString NomeDoServidor(const QString& servidor);

// Keeps what a session learnt of `servidor`, for this run and, through the guard, for the next.
void Aprende(const QString& servidor, const ServidorConhecido& conhecido);

// The pin of a certificate in DER: "sha256//" and the base64 of the SHA-256 of its
// SubjectPublicKeyInfo, as CURLOPT_PINNEDPUBLICKEY takes it; empty when `der` is not a
// certificate.
QByteArray ChaveDoCertificado(const QByteArray& der);
// The same, of a certificate in PEM ("-----BEGIN CERTIFICATE-----").
QByteArray ChaveDoCertificadoPem(const QByteArray& pem);

// One certificate of the chain a server presented, as the TLS library lists it.
struct CertificadoApresentado {
    QByteArray sujeito;
    QByteArray emissor;
    QByteArray pem;
};
// The key of the server's own certificate in `cadeia`, in whatever order the TLS library lists
// it (OpenSSL gives the server's first; the Windows libcurl may give it last): the one whose
// subject issued no other certificate of the chain. Empty when no single one is.
QByteArray ChaveDaFolha(const QList<CertificadoApresentado>& cadeia);

} // namespace remoto
