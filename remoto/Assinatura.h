#pragma once

#include <QByteArray>
#include <QIODevice>
#include <QString>

namespace remoto {

// The check of a downloaded update against the publisher's minisign signature (Ed25519, with
// libsodium). Only prehashed signatures ("ED", BLAKE2b-512 of the file: what minisign writes by
// default) are accepted; the legacy "Ed" ones are refused. The trusted comment, covered by the
// global signature, names the version the file holds, "versao=1.08", and that version must be
// newer than the running program's: an older update, validly signed, is not installed again.
enum class ResultadoAssinatura {
    Valida,
    ArquivoAusente,   // the file or its signature could not be read
    Malformada,       // the signature file is not one minisign writes (or is a legacy one)
    ChaveInvalida,    // the public key given is not a minisign public key
    OutraChave,       // signed, but not with the given key
    NaoConfere,       // the file or the trusted comment is not what was signed
    SemVersao,        // validly signed, but the trusted comment names no version
    VersaoNaoMaisNova // validly signed, but not newer than the running program
};

// The version named in the trusted comment, when the signature holds.
struct VerificacaoDeAssinatura {
    ResultadoAssinatura resultado = ResultadoAssinatura::ArquivoAusente;
    QString versao;
    bool valida() const { return resultado == ResultadoAssinatura::Valida; }
};

// A signature file read and checked before the file it signs is fetched: the publisher's key,
// the global signature over the trusted comment, and a version newer than the running one. It
// holds what the file must then match.
struct Reivindicacao {
    ResultadoAssinatura resultado = ResultadoAssinatura::ArquivoAusente;
    QString versao;        // as the trusted comment names it
    QByteArray assinatura; // of the file's BLAKE2b-512
    QByteArray chave;      // the Ed25519 public key that signed it
    bool valida() const { return resultado == ResultadoAssinatura::Valida; }
};

// Reads the signature file's `conteudo` (at most kMaximoDaAssinatura bytes) against the public
// key `chavePublica` (the text of the .pub file minisign -G writes, or its second line alone).
// `versaoEmExecucao` is the running program's whole version ("1.07").
Reivindicacao LeReivindicacao(const QByteArray& conteudo, const QByteArray& chavePublica,
                              const QString& versaoEmExecucao);

// Whether what `arquivo` reads, from where it stands to its end, is the file `reivindicacao`
// signed: Valida, NaoConfere, or ArquivoAusente when it cannot be read.
ResultadoAssinatura ConfereArquivo(const Reivindicacao& reivindicacao, QIODevice& arquivo);

// Both checks at once: `arquivo` against the minisign signature file `assinatura`.
VerificacaoDeAssinatura VerificaAssinatura(const QString& arquivo, const QString& assinatura,
                                           const QByteArray& chavePublica,
                                           const QString& versaoEmExecucao);

// The signature file of a downloaded file: its name + ".minisig", as minisign names it.
QString ArquivoDeAssinatura(const QString& arquivo);

// A signature file is four short lines: anything larger is not one, and is not downloaded whole.
inline constexpr qint64 kMaximoDaAssinatura = 4096;

} // namespace remoto
