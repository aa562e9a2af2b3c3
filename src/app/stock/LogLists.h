#pragma once

#include "book/stock/LogQueries.h"

#include <QList>
#include <QString>

class QLabel;

namespace kucun {

struct AppContext;
class ListView;

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

// A log list with its totals, and what the totals show while it is empty.
struct LogView
{
    ListView *list;
    QLabel *inTotal;
    QLabel *outTotal;
    QString emptyTotal;
};

// Clears the list and its totals and fills it with the matching movements
// in table order. The log's record count; nothing when the log could not be
// read, after telling why.
std::optional<qint64> showLog(AppContext &context, const LogView &view,
                              ReadResult<LogMatches> matches);

} // namespace kucun
