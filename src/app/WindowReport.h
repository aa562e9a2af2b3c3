#pragma once

namespace kucun {

// For tests of an installed program (KUCUN_REPORT_WINDOWS): queued after the
// main window's start-up, it runs once start-up is done, or while start-up's
// first message box waits for an answer. It prints one line for each window
// on screen, then ends the program as if that box were cancelled:
//   window<TAB>title<TAB>icon|no icon
//   message<TAB>title<TAB>text<TAB>icon|no icon
void reportWindowsThenQuit();

} // namespace kucun
