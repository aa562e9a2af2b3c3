#pragma once

#include "book/Outcome.h"
#include "book/files/Book.h"

#include <QtGlobal>
#include <vector>

namespace kucun {

class ChangeNotifier;
struct MovementRecord;

// A deletion is done or stopped by the log's fault.
enum class DeletionOutcome
{
    Deleted,
};

struct DeletionResult
{
    Outcome<DeletionOutcome> outcome = DeletionOutcome::Deleted;
    // Movements left alone because the log no longer holds them as shown.
    qsizetype notDeleted = 0;
};

// Deletes from the log, in one transaction, each of these movements that the
// log still holds exactly as shown: same identity, date, texts, quantities,
// unit and remark; their 明细金额 rows go in the same transaction (the 成本价
// of their models is not worked out again). A movement changed or gone since (another copy of the
// program, files replaced underneath) is left alone and counted, so that an
// identity handed out again never takes another row with it. Announces
// movementsDeleted when the log lists are stale.
DeletionResult deleteMovements(const Book &book, const std::vector<MovementRecord> &shown,
                               ChangeNotifier &changes);

} // namespace kucun
