#include "LogDeletion.h"

#include "app/AppContext.h"
#include "app/Messages.h"
#include "book/stock/LogQueries.h"
#include "book/stock/MovementDeletion.h"
#include "ui/Dialogs.h"
#include "ui/ListView.h"
#include "ui/PagedListModel.h"

namespace kucun {

void deleteSelectedLogEntries(AppContext &context)
{
    const ListView &results = *context.form.超级列表框明细;
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

} // namespace kucun
