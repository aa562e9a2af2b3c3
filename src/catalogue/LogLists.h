#pragma once

namespace kucun {

struct AppContext;

// Which movements the log loader lists.
enum class LogQuery
{
    Day,       // 超级列表框日志: the day of 日期框进销
    Keyword,   // 超级列表框明细: 编辑框关键字 in 品类, 名称, 型号 or 备注
    DateRange, // 超级列表框明细: 日期框明细起 to 日期框明细止
};

// Clears the list and its totals and fills it from 明细 in table order, with
// the in/out icon per row; also shows the log's record count.
void loadLog(AppContext &context, LogQuery query);

// The search buttons of the log page: remember the search, then run it.
void searchLogByKeyword(AppContext &context);
void searchLogByDateRange(AppContext &context);

// Runs the last search of the log page again, then reloads the day log.
void reloadLogsAfterChange(AppContext &context);

// Keeps the rows selected in 超级列表框明细.
void rememberSelectedLogRows(AppContext &context);

} // namespace kucun
