#pragma once

#include <QString>
#include <QStringList>

namespace kucun {

// A change across two table files (a booking: 型号 and 明细) is committed
// through a super-journal that SQLite records in each file's journal by its
// absolute path. A program killed in the middle of that commit leaves hot
// journals behind; the next open rolls them back while the super-journal is
// where the journals say. If the folder was moved in between (a USB stick
// mounted elsewhere), SQLite finds no super-journal, takes each journal for
// committed and keeps half the change.
struct InterruptedCommits
{
    enum class Status
    {
        None,     // no journal points at a super-journal that has gone
        Repaired, // journals and super-journal now point at their new place
        Stranded, // they could not be repaired; nothing may be opened
    };
    Status status = Status::None;
    // The folder the files were in when the commit was cut short.
    QString originalFolder;
};

// Looks in these folders (the data folder and the program's folder) for
// journals of table files whose super-journal is recorded at a path that no
// longer exists while a super-journal of that name lies in one of the
// folders: the folder moved. Points the journals and the super-journal at
// where they are now, so that SQLite rolls the whole change back when the
// files are next opened. Opens no table. A super-journal found nowhere means
// the commit had finished: SQLite's own reading is right, nothing is done.
InterruptedCommits repairMovedCommits(const QStringList &folders);

// The super-journal named at the end of a journal file, as SQLite reads it;
// empty when the journal names none.
QString superJournalOf(const QString &journalPath);

// Removes the journals and super-journals of these table files that a
// commit cut short left behind in their folders. Only while the caller holds
// every one of the files locked for writing, with nothing written yet: no
// other program is committing then, and SQLite has rolled back what it had
// to when the locks were taken.
void removeJournalsOf(const QStringList &tablePaths);

} // namespace kucun
