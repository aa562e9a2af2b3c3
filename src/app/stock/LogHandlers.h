#pragma once

#include "LogPage.h"

namespace kucun {

// The search buttons: remember the search, then run it.
void searchLog(LogContext &context, LogSearch search);
// After movements were deleted: the last search runs again.
void rerunLogSearch(LogContext &context);

// 按钮删除选中: removes the movement records shown in the selected rows of
// 超级列表框明细; the log lists reload once they are gone.
void deleteSelectedLogEntries(LogContext &context);

} // namespace kucun
