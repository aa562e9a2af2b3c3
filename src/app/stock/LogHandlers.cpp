#include "LogLists.h"
#include "LogPage.h"
#include "app/AppContext.h"
#include "app/Messages.h"
#include "book/stock/LogQueries.h"
#include "book/stock/MovementDeletion.h"
#include "ui/Dialogs.h"
#include "ui/ListView.h"
#include "ui/PagedListModel.h"

#include <QDateEdit>
#include <QLineEdit>
#include <QPushButton>

namespace kucun {

void searchLog(LogContext &context, LogSearch search)
{
    context.page.lastSearch = search;
    rerunLogSearch(context);
}

void rerunLogSearch(LogContext &context)
{
    LogPage &page = context.page;
    if (page.lastSearch == LogSearch::None) {
        return;
    }
    const std::optional<qint64> records = showLog(
        context, {page.超级列表框明细, page.标签明细入库合计, page.标签明细出库合计, QString()},
        page.lastSearch == LogSearch::Keyword
            ? movementsWithKeyword(context.folders, page.编辑框关键字->text())
            : movementsBetween(context.folders, page.日期框明细起->date(),
                               page.日期框明细止->date()));
    if (records) {
        page.showRecordCount(*records);
    }
}

void deleteSelectedLogEntries(LogContext &context)
{
    const ListView &results = *context.page.超级列表框明细;
    const QList<int> selected = results.selectedRows();
    if (selected.isEmpty()) {
        tell(context.dialogs, QStringLiteral("请选择要删除的项目！"), Dialogs::Warning);
        return;
    }
    // Each row keeps the record it showed, so exactly the selected records
    // go, whatever order the list shows them in, and only while the log
    // still holds them as shown.
    std::vector<MovementRecord> shown;
    shown.reserve(size_t(selected.size()));
    for (const int row : selected) {
        shown.push_back(results.pagedList().recordAt(row).value<MovementRecord>());
    }
    const DeletionResult result = deleteMovements(context.folders, shown, context.changes);
    if (toldTableFailure(context.dialogs, result.outcome.fault(),
                         QStringLiteral("删除失败，日志未改变，请稍后重试！"))) {
        return;
    }
    if (result.notDeleted > 0) {
        warn(context.dialogs,
             QStringLiteral("选中的记录中有 %1 条已被修改或删除，未予删除；列表已刷新。")
                 .arg(result.notDeleted));
    }
}

void connectLogPage(const LogContext &context)
{
    LogPage &page = context.page;
    const auto search = [&context](LogSearch kind) {
        return slotOf(context, [kind](LogContext &log) { searchLog(log, kind); });
    };
    QObject::connect(page.按钮模糊搜索, &QPushButton::clicked, &page, search(LogSearch::Keyword));
    QObject::connect(page.编辑框关键字, &QLineEdit::returnPressed, &page,
                     search(LogSearch::Keyword));
    QObject::connect(page.按钮日期搜索, &QPushButton::clicked, &page, search(LogSearch::DateRange));
    QObject::connect(page.按钮删除选中, &QPushButton::clicked, &page,
                     slotOf(context, deleteSelectedLogEntries));
}

} // namespace kucun
