#pragma once

#include "book/files/Book.h"

#include <QDateTime>
#include <QStringList>

namespace kucun {

// Makes the tables of our own (型号资料, 明细金额) that are missing, empty, in
// the data folder. The paths made; a file that can't be made is left out,
// and the five tables work on without it.
QStringList createMissingOwnTables(const Book &book);

enum class LogIdsOutcome
{
    HadIds,   // the log has its id column already (or there is no log)
    Rebuilt,  // backed up, then rebuilt with ids
    NoBackup, // the backup first could not be made: left as it was
    Failed,   // the rebuild failed and was rolled back: left as it was
};

// A log made without its id column (an older version, the shell) gets one,
// once: a backup of the book first (kept, like one made with 立即备份), then
// the log rebuilt in one transaction, each row's id its rowid. A price is
// kept by the id of its movement, which a log without ids may hand out again.
LogIdsOutcome giveLogIds(const Book &book, const QDateTime &now);

} // namespace kucun
