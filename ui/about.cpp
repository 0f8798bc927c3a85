// Module about: the About dialog, and the launcher's handler that opens it.
#include "Main.h"

namespace ui {

void TFormMain::ButtonAboutClick(fw::Control&) {}

} // namespace ui
