#pragma once

namespace kucun {

struct AppContext;

// 按钮删除选中: removes the movement records shown in the selected rows of
// 超级列表框明细; the log lists reload once they are gone.
void deleteSelectedLogEntries(AppContext &context);

} // namespace kucun
