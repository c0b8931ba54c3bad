#pragma once

#include <QString>

namespace nucleo {

// Starts a program as a process of its own, visible, in `pasta`, not waited for: through the
// shell's "open" on Windows (as a user double-clicking it), directly elsewhere. False when it
// could not start.
bool IniciaPrograma(const QString& programa, const QString& pasta);

} // namespace nucleo
