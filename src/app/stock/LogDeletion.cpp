#include "LogDeletion.h"

#include "app/AppContext.h"
#include "app/Messages.h"
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
    // Each row knows the identity of the record it shows, so exactly the
    // selected records go, whatever order the list shows them in.
    QList<qint64> ids;
    ids.reserve(selected.size());
    for (const int row : selected) {
        ids.append(results.pagedList().idAt(row));
    }
    switch (deleteMovements(ids, context.changes)) {
    case DeletionOutcome::Deleted:
        break;
    case DeletionOutcome::TableUnavailable:
        reportTableUnavailable(context.dialogs);
        break;
    case DeletionOutcome::WriteFailed:
        tell(context.dialogs, QStringLiteral("删除失败，日志未改变，请稍后重试！"), Dialogs::Error);
        break;
    }
}

} // namespace kucun
