#pragma once

namespace kucun {

// Names the program to the desktop before any window or folder is made:
// the application name "kucun" (its data folder is ~/.local/share/kucun),
// the desktop entry that groups its windows under the menu entry, and the
// icon that the main window and every message box carry.
void identifyApplication();

} // namespace kucun
