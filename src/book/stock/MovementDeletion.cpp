#include "MovementDeletion.h"

#include "LogQueries.h"
#include "book/ChangeNotifier.h"
#include "store/Table.h"
#include "store/TableSchema.h"

#include <QHash>

namespace kucun {

namespace {

// Deletes, inside the log's write lock, the shown movements still stored as
// shown; counts the others.
DeletionResult deleteUnchanged(Table &log, const std::vector<MovementRecord> &shown)
{
    if (!log.beginTransaction()) {
        return {log.fault(), 0};
    }
    QList<qint64> ids;
    ids.reserve(qsizetype(shown.size()));
    for (const MovementRecord &movement : shown) {
        ids.append(movement.id);
    }
    ReadResult<std::vector<MovementRecord>> read = readMovements(log, ids);
    if (!read) {
        const StoreFault fault = log.fault();
        log.rollback();
        return {fault, 0};
    }
    QHash<qint64, MovementRecord> stored;
    for (MovementRecord &movement : *read) {
        stored.insert(movement.id, std::move(movement));
    }
    DeletionResult result;
    QList<qint64> unchanged;
    for (const MovementRecord &movement : shown) {
        const auto found = stored.constFind(movement.id);
        if (found != stored.constEnd() && *found == movement) {
            unchanged.append(movement.id);
        } else {
            ++result.notDeleted;
        }
    }
    bool written = true;
    for (qsizetype start = 0; written && start < unchanged.size();
         start += RecordFilter::maximumIds) {
        const QList<qint64> some = unchanged.mid(start, RecordFilter::maximumIds);
        written =
            log.removeMatching(tables::明细, RecordFilter::idsIn(some)) &&
            (!log.holds(tables::明细金额) ||
             log.removeMatching(tables::明细金额, RecordFilter::numbersIn(tables::明细, some)));
    }
    if (!written || !log.commit()) {
        result.outcome = log.fault();
        log.rollback();
    }
    return result;
}

} // namespace

DeletionResult deleteMovements(const Book &book, const std::vector<MovementRecord> &shown,
                               ChangeNotifier &changes)
{
    DeletionResult result;
    {
        Table log;
        if (!book.open(log, tables::明细)) {
            return {log.fault(), 0};
        }
        // A movement's price goes with it; the 成本价 it left stays.
        book.attachOwn(log, {tables::明细金额});
        result = deleteUnchanged(log, shown);
    }
    // The tables are closed before anyone reloads from them.
    if (result.outcome == DeletionOutcome::Deleted) {
        emit changes.movementsDeleted();
    }
    return result;
}

} // namespace kucun
