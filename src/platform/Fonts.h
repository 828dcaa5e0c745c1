#pragma once
// The fonts the suite's windows ask for by name are common on other desktops but not here; each is
// mapped to a free font of the same metrics or spirit that the system carries.

namespace nibsy {

// Registers the substitutions with QFont; call once after the QApplication exists.
void installFontSubstitutions();

} // namespace nibsy
