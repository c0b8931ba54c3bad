#pragma once

#include <QString>
#include <QStringList>

#include <optional>

// What the vendor's support may ask of the program on its command line, before any window:
//
//   cotacao --esquecer-servidor HOST[:PORTA]
//
// forgets what was learnt of that server's TLS (the key its certificate was pinned to, or that
// the system's store vouched for it), for when the vendor really changed the server's
// certificate. The next session meets the server as at a first contact. The drafts, the receipts
// and the prices stay; a server whose key the program was built with keeps that key.
namespace inicio {

inline const QString kEsquecerServidor = QStringLiteral("--esquecer-servidor");

// The text to tell when `argumentos` (the program's, its own name first) ask for a support
// command, which is then done (and recorded in the error log); nothing when they ask for none,
// and the program starts as usual. The local database is the file `banco`.
std::optional<QString> AtendeSuporte(const QStringList& argumentos, const QString& banco);

} // namespace inicio
