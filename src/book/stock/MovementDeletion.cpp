#include "MovementDeletion.h"

#include "book/ChangeNotifier.h"
#include "store/Table.h"
#include "store/TableSchema.h"

namespace kucun {

DeletionOutcome deleteMovements(const QList<qint64> &ids, ChangeNotifier &changes)
{
    {
        Table log;
        if (!log.open(tables::明细, tablePassword())) {
            return DeletionOutcome::TableUnavailable;
        }
        for (const qint64 id : ids) {
            if (log.goToId(id)) {
                log.markDeleted();
            }
        }
        if (!log.purge()) {
            return DeletionOutcome::WriteFailed;
        }
    }
    emit changes.movementsDeleted();
    return DeletionOutcome::Deleted;
}

} // namespace kucun
