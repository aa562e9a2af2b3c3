#pragma once

#include "app/catalogue/MaintenancePage.h"

namespace kucun {

class WelcomeDialog;

// At start, after the book is loaded: greets the owner of a new book once
// with 窗口欢迎, shown without blocking the window. 按钮示例数据 fills the
// empty book with the demo data, 按钮备份位置首次 chooses the backup folder;
// the caller wires 按钮开始使用. Null when no welcome is due.
WelcomeDialog *welcomeIfDue(QWidget &window, const MaintenanceContext &context);

} // namespace kucun
