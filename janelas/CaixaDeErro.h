#pragma once

namespace janelas {

// Start-up: runtime errors are shown in the error box (through the message seam, so tests answer
// it), and the error tones sound through the window system.
void InstalaCaixaDeErro();

} // namespace janelas
