#pragma once

class QWidget;

namespace kucun {

struct AppContext;
class MaintenancePage;

// The start-up of the main window, in order: the window moves to the top
// edge of the screen; interrupted writes are rolled back; the settings are
// loaded and the menu look applied; the login password is asked when the
// settings say so, and the third wrong entry locks the program for good.
// True when the pages may be filled; a locked program, an unreadable
// settings record or a cancelled login close the window.
bool startUp(QWidget &window, AppContext &context, MaintenancePage &page);

} // namespace kucun
