#pragma once

#include <QFile>
#include <QString>

namespace nucleo {

// Starts a program as a process of its own, visible, in `pasta`, not waited for: through the
// shell's "open" on Windows (as a user double-clicking it), directly elsewhere. False when it
// could not start.
bool IniciaPrograma(const QString& programa, const QString& pasta);

// A file held open for reading from its check to its start, so that what runs is what was
// checked: on Windows nobody else may write to it, rename it or delete it meanwhile (the handle
// shares reading only); elsewhere the caller keeps it in a folder no other program writes to.
class ArquivoRetido {
public:
    explicit ArquivoRetido(const QString& caminho);
    ArquivoRetido(const ArquivoRetido&) = delete;
    ArquivoRetido& operator=(const ArquivoRetido&) = delete;

    bool aberto() const { return m_arquivo.isOpen(); }
    // Its content, read from the start.
    QIODevice& leitura() { return m_arquivo; }

private:
    QFile m_arquivo;
};

} // namespace nucleo
