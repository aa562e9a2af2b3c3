#pragma once

#include "book/files/Book.h"

#include <QList>
#include <QString>

namespace kucun {

struct AppContext;
class ListView;

// Which movements the log loader lists.
enum class LogQuery
{
    Day,       // 超级列表框日志: the day of 日期框进销
    Keyword,   // 超级列表框明细: 编辑框关键字 in 品类, 名称, 型号 or 备注
    DateRange, // 超级列表框明细: 日期框明细起 to 日期框明细止
};

// The layout of a log list's rows.
enum class LogColumns
{
    WithoutDate, // the day log: No., 品类, 名称, 型号, 入库, 出库, 单位, 备注
    WithDate,    // the search list: No., 日期, then the same
};

// A log list: its rows are read from 明细 a page at a time, with the
// in/out icon per row.
ListView *makeLogList(const Book &book, const QString &designerName, const QString &spokenName,
                      LogColumns columns, const QList<int> &columnWidths);

// Clears the list and its totals and fills it with the matching movements
// in table order; also shows the log's record count.
void loadLog(AppContext &context, LogQuery query);

// The search buttons of the log page: remember the search, then run it.
void searchLogByKeyword(AppContext &context);
void searchLogByDateRange(AppContext &context);

// After movements were deleted: the last search of the log page runs again,
// then the day log reloads.
void reloadLogsAfterDeletion(AppContext &context);

} // namespace kucun
