#pragma once

#include <QtGlobal>
#include <vector>

namespace kucun {

class ChangeNotifier;
struct MovementRecord;

enum class DeletionOutcome
{
    Deleted,
    TableUnavailable, // 明细 could not be opened
    TableBusy,        // another program held 明细 too long; nothing changed
    TableReadOnly,    // 明细 can't be written; nothing changed
    TableWrongLayout, // 明细's fields are missing or of another type
    WriteFailed,      // the deletion could not be committed; nothing changed
};

struct DeletionResult
{
    DeletionOutcome outcome = DeletionOutcome::Deleted;
    // Movements left alone because the log no longer holds them as shown.
    qsizetype notDeleted = 0;
};

// Deletes from the log, in one transaction, each of these movements that the
// log still holds exactly as shown: same identity, date, texts, quantities,
// unit and remark. A movement changed or gone since (another copy of the
// program, files replaced underneath) is left alone and counted, so that an
// identity handed out again never takes another row with it. Announces
// movementsDeleted when the log lists are stale.
DeletionResult deleteMovements(const std::vector<MovementRecord> &shown, ChangeNotifier &changes);

} // namespace kucun
