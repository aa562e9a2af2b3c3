#pragma once

class QWidget;

namespace kucun {

struct AppContext;

// At start, after the book is loaded: greets the owner of a new book once
// with 窗口欢迎. 按钮示例数据 fills the empty book with the demo data,
// 按钮开始使用 goes to 项目维护, 按钮备份位置首次 chooses the backup folder.
void welcomeIfDue(QWidget &window, AppContext &context);

} // namespace kucun
