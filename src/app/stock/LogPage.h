#pragma once

#include <QWidget>

class QDateEdit;
class QLabel;
class QLineEdit;
class QPushButton;

namespace kucun {

template <typename Page> struct PageContext;
class Book;
class ListView;

// The log page's search that the result list shows.
enum class LogSearch
{
    None,
    Keyword,   // 编辑框关键字 in 品类, 名称, 型号 or 备注
    DateRange, // 日期框明细起 to 日期框明细止
};

// The page "日志查询": searches of the movement log. It holds the controls
// and the search shown; the handlers fill them.
class LogPage : public QWidget
{
public:
    // The search list reads its rows from the book.
    explicit LogPage(const Book &book, QWidget *parent = nullptr);

    // Shows how many records the log holds.
    void showRecordCount(qint64 records);

    QLineEdit *编辑框关键字 = nullptr;
    QPushButton *按钮模糊搜索 = nullptr;
    QDateEdit *日期框明细起 = nullptr;
    QDateEdit *日期框明细止 = nullptr;
    QPushButton *按钮日期搜索 = nullptr;
    ListView *超级列表框明细 = nullptr;
    QLabel *标签明细入库合计 = nullptr;
    QLabel *标签明细出库合计 = nullptr;
    QLabel *透明标签日志总数 = nullptr;
    QPushButton *按钮删除选中 = nullptr;

    LogSearch lastSearch = LogSearch::None;
};

using LogContext = PageContext<LogPage>;

// Connects the page's controls to their handlers.
void connectLogPage(const LogContext &context);

// The search buttons: remember the search, then run it.
void searchLog(LogContext &context, LogSearch search);
// After movements were deleted: the last search runs again.
void rerunLogSearch(LogContext &context);

// 按钮删除选中: removes the movement records shown in the selected rows of
// 超级列表框明细; the log lists reload once they are gone.
void deleteSelectedLogEntries(LogContext &context);

} // namespace kucun
