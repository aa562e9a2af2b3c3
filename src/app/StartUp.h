#pragma once

class QWidget;

namespace kucun {

struct AppContext;

// The start-up of the main window, in order: the window moves to the top
// edge of the screen, then the catalogue menus, the day log, the whole-stock
// list and the monthly list are filled.
void startUp(QWidget &window, AppContext &context);

} // namespace kucun
