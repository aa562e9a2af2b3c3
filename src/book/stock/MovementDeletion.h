#pragma once

#include <QList>

namespace kucun {

class ChangeNotifier;

enum class DeletionOutcome
{
    Deleted,
    TableUnavailable, // 明细 could not be opened
    WriteFailed,      // the deletion could not be committed; nothing changed
};

// Deletes the movements with these identities (Record::rowId) from the log
// in one transaction, whatever order they come in; identities the log no
// longer holds are passed over. Announces movementsDeleted.
DeletionOutcome deleteMovements(const QList<qint64> &ids, ChangeNotifier &changes);

} // namespace kucun
