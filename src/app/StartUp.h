#pragma once

class QWidget;

namespace kucun {

struct AppContext;

// The start-up of the main window, in order: the window moves to the top
// edge of the screen; the settings are loaded and the menu look applied; the
// login password is asked when the settings say so, and the third wrong
// entry locks the program for good; the password controls are primed; then
// the catalogue menus, the day log, the whole-stock list and the monthly
// list are filled. A locked program, an unreadable settings record or a
// cancelled login close the window, and nothing is filled.
void startUp(QWidget &window, AppContext &context);

} // namespace kucun
