#pragma once

#include <QDateTime>
#include <QList>
#include <QString>

namespace kucun {

class ChangeNotifier;

// What a backup holds, as the owner picks one.
struct BackupInfo
{
    QString folder;
    QDateTime takenAt;
    qint64 models = 0;
    qint64 movements = 0;
    double totalStock = 0;
};

enum class BackupOutcome
{
    Done,
    TableUnavailable,  // a table file could not be opened; nothing was copied
    TableBusy,         // another program held a table too long
    TableReadOnly,     // not used by a backup; named like every table failure
    TableWrongLayout,  // a table's fields are missing or of another type
    FolderUnavailable, // the backup folder can't be made or written (no stick)
    WriteFailed,       // a copy could not be written whole (disk full)
};

struct BackupResult
{
    BackupOutcome outcome = BackupOutcome::Done;
    // The finished backup's folder.
    QString folder;
};

// The folder name a backup taken at this moment gets.
QString backupFolderName(const QDateTime &takenAt);

// Copies the five table files (设置 from the program directory, the others
// from the working directory) into a new folder under the backup folder,
// as one moment: every file is locked for writing while it is copied, so
// no booking lands in some copies and not in others. The copies keep their
// encryption. Written into a ".partial" folder, each copy reopened and
// checked, then renamed: a backup cut short leaves no folder that looks
// complete.
BackupResult makeBackup(const QString &programDir, const QString &backupRoot,
                        const QDateTime &takenAt);

// Makes a backup into the backup folder of the program's settings, records
// it as the last one, keeps only the newest backups the settings say and
// announces backupsChanged.
BackupResult backUp(const QString &programDir, const QDateTime &takenAt, ChangeNotifier &changes);

// The finished backups under the backup folder, newest first.
QList<BackupInfo> listBackups(const QString &backupRoot);

// Removes all but the newest `keep` backups.
void pruneBackups(const QString &backupRoot, int keep);

struct BackupCheck
{
    // Empty for a sound backup; otherwise why it may not be restored.
    QString problem;
    BackupInfo info;
};

// Checks each data table of a backup: it opens with the table key, passes
// SQLite's integrity check and has its table with every field.
BackupCheck checkBackup(const QString &folder);

enum class RestoreOutcome
{
    Done,
    TableUnavailable, // a table (live or in the backup) could not be opened
    TableBusy,        // another program held a table too long; nothing changed
    TableReadOnly,    // a live table can't be written; nothing changed
    TableWrongLayout, // the backup's fields are missing or of another type
    WriteFailed,      // the restore could not be committed; nothing changed
};

// Puts the backup's 品类, 名称, 型号 and 明细 in place of those in use, all
// four or none, also when the program is killed: the files are staged in the
// data folder, marked complete, then renamed over the files in use while
// every table is locked for writing; a start after a cut-off restore
// finishes it (marked) or drops it (not marked). 设置 stays, and with it the
// password. Announces every change, so every view shows the books restored.
RestoreOutcome restoreBackup(const QString &folder, ChangeNotifier &changes);

// Before any table is opened: finishes a restore that was marked complete,
// or drops one that was not.
void finishInterruptedRestore(const QString &dataFolder);

} // namespace kucun
