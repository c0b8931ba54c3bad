#pragma once

#include "nucleo/Resultado.h"

#include <QByteArray>
#include <QIODevice>
#include <QString>

namespace remoto {

// The check of a downloaded update against the publisher's minisign signature (Ed25519, with
// libsodium). Only prehashed signatures ("ED", BLAKE2b-512 of the file: what minisign writes by
// default) are accepted; the legacy "Ed" ones are refused. The trusted comment, covered by the
// global signature, names the version the file holds, "versao=1.08", and that version must be
// newer than the running program's: an older update, validly signed, is not installed again.
//
// A signature that does not hold fails as Recusada, its text saying why (remoto::textos's
// Motivo...: malformed, another key, not matching, no version, not newer, an unusable key); a
// file that cannot be read fails as Ilegivel.

// A signature file read and checked before the file it signs is fetched: the publisher's key,
// the global signature over the trusted comment, and a version newer than the running one. It
// holds what the file must then match.
struct Reivindicacao {
    QString versao;        // as the trusted comment names it
    QByteArray assinatura; // of the file's BLAKE2b-512
    QByteArray chave;      // the Ed25519 public key that signed it
};

// Reads the signature file's `conteudo` (at most kMaximoDaAssinatura bytes) against the public
// key `chavePublica` (the text of the .pub file minisign -G writes, or its second line alone).
// `versaoEmExecucao` is the running program's whole version ("1.07").
nucleo::Resultado<Reivindicacao> LeReivindicacao(const QByteArray& conteudo,
                                                 const QByteArray& chavePublica,
                                                 const QString& versaoEmExecucao);

// Whether what `arquivo` reads, from where it stands to its end, is the file `reivindicacao`
// signed.
nucleo::Resultado<void> ConfereArquivo(const Reivindicacao& reivindicacao, QIODevice& arquivo);

// Both checks at once: `arquivo` against the minisign signature file `assinatura`; the version
// it holds.
nucleo::Resultado<QString> VerificaAssinatura(const QString& arquivo, const QString& assinatura,
                                              const QByteArray& chavePublica,
                                              const QString& versaoEmExecucao);

// The signature file of a downloaded file: its name + ".minisig", as minisign names it.
QString ArquivoDeAssinatura(const QString& arquivo);

// A signature file is four short lines: anything larger is not one, and is not downloaded whole.
inline constexpr qint64 kMaximoDaAssinatura = 4096;

} // namespace remoto
