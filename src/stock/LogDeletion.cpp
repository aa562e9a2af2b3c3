#include "LogDeletion.h"

#include "app/AppContext.h"
#include "app/OpenTable.h"
#include "catalogue/LogLists.h"
#include "store/Table.h"
#include "ui/Dialogs.h"
#include "ui/ListView.h"

namespace kucun {

void deleteSelectedLogEntries(AppContext &context)
{
    const QList<int> selected = context.form.超级列表框明细->selectedRows();
    if (selected.isEmpty()) {
        context.dialogs.message(QStringLiteral("请选择要删除的项目！"), QString(), Dialogs::Warning,
                                false);
        return;
    }
    Table log;
    if (!openOrReport(log, tables::明细, context.dialogs)) {
        return;
    }
    // Each row knows the identity of the record it shows, which a purge
    // does not shift, so exactly the selected records go.
    const QList<qint64> &records = context.state.logResultRecords;
    for (const int row : selected) {
        if (row < records.size() && log.goToId(records[row])) {
            log.markDeleted();
        }
    }
    const bool purged = log.purge();
    log.close();
    if (!purged) {
        context.dialogs.message(QStringLiteral("删除失败，日志未改变，请稍后重试！"), QString(),
                                Dialogs::Error, false);
    }
    reloadLogsAfterChange(context);
}

} // namespace kucun
