#pragma once

namespace kucun {

struct AppContext;

// 按钮删除选中: removes the movement records shown in the selected rows of
// 超级列表框明细, then reloads the log lists.
void deleteSelectedLogEntries(AppContext &context);

} // namespace kucun
