#pragma once

#include "book/Outcome.h"
#include "book/files/BookFolders.h"

#include <QDateTime>
#include <QList>
#include <QString>
#include <functional>

namespace kucun {

class BooksInUse;
class ChangeNotifier;

// Why a backup was made; kept in its 备份信息.ini. A backup without one (an
// older program's, or copied by hand) counts as made with 立即备份.
enum class BackupKind
{
    Daily,         // the first start of a day; the newest 30 are kept
    Manual,        // 立即备份; never removed by the program
    BeforeRestore, // the books in force before a restore; the newest 10 are kept
    BeforeReset,   // the books before a factory reset; the newest 10 are kept
};

// 自动, 手动, 恢复前, 重置前.
QString backupKindText(BackupKind kind);

// What a backup holds, as the owner picks one.
struct BackupInfo
{
    QString folder;
    QDateTime takenAt;
    BackupKind kind = BackupKind::Manual;
    qint64 models = 0;
    qint64 movements = 0;
    double totalStock = 0;
};

enum class BackupOutcome
{
    Done,
    FolderUnavailable, // the backup folder can't be made or written (no stick)
    DiskFull,          // no room left where the backup goes, even after pruning
};

struct BackupResult
{
    Outcome<BackupOutcome> outcome = BackupOutcome::Done;
    // The finished backup's folder.
    QString folder;
};

// The folder name a backup taken at this moment gets (another backup of
// the same second takes "-2", "-3" after it).
QString backupFolderName(const QDateTime &takenAt);

// Copies the five table files (设置 from the program folder, the others
// from the data folder), and the tables of our own that open, into a new
// folder under the backup folder,
// as one moment: every file is locked for writing while it is copied, so
// no booking lands in some copies and not in others. The lock is held only
// while the files are copied into the system's cache; the copies reach the
// disk (fsync) after it. The copies keep their encryption. Written into a
// ".partial" folder of this backup's own, each copy reopened, then renamed
// to the first free name: a backup cut short leaves no folder that looks
// complete, and two backups in the same second are both whole. Safe to
// run off the window's thread: it opens no Table. A book on a server is
// backed up the same way as pg_dump's archive of its schema, the figures
// counted in the snapshot it reads.
BackupResult makeBackup(const BookFolders &folders, const QString &backupRoot,
                        const QDateTime &takenAt, BackupKind kind);

// Makes a backup into the backup folder of the program's settings; when the
// disk is full, removes the oldest automatic backup (never `spare`) and tries
// once more. A backup made is recorded as the last one and the backups of
// its kind are pruned (never `spare`). Safe off the window's thread; does
// not announce the change.
BackupResult makeKeptBackup(const BookFolders &folders, const QDateTime &takenAt, BackupKind kind,
                            const QString &spare = {});

// makeKeptBackup, then announces backupsChanged.
BackupResult backUp(const BookFolders &folders, const QDateTime &takenAt, BackupKind kind,
                    ChangeNotifier &changes);

// The finished backups under the backup folder, newest first. Links are
// not backups and are not listed.
QList<BackupInfo> listBackups(const QString &backupRoot);

// Removes the backups beyond the newest `keepDaily` automatic ones and the
// newest 10 taken before a restore or a reset; never one made with 立即备份,
// never `spare`. Only real folders, never a link nor anything through one,
// and only the files a backup holds: a folder holding anything else stays.
void pruneBackups(const QString &backupRoot, int keepDaily, const QString &spare = {});

// Removes the ".partial" folders of backups cut short: those no running
// backup is writing (each holds a lock on a file in its folder while it
// writes). Runs at start and before each backup.
void removeLeftPartials(const QString &backupRoot);

// Whether the backup folder (or the nearest folder above it that exists) is
// on the disk that holds the book's data folder; never for a book on a server.
bool onDataDisk(const QString &backupRoot, const BookFolders &folders);

struct BackupCheck
{
    // Empty for a backup that may be restored; otherwise why not.
    QString problem;
    BackupInfo info;
    // The folder is gone (a stick pulled out).
    bool missing = false;
};

// Checks each data table of a backup: it is there, opens with the table key
// and has its table with every field. Every page of it is checked as it is
// restored. For a book on a server: the backup holds an archive of such a
// book with every table and its records, checked whole as it is restored.
// A backup of the other kind of book is refused.
BackupCheck checkBackup(const BookFolders &folders, const QString &folder);

enum class RestoreOutcome
{
    Done,
    InUseElsewhere, // another copy of the program has the books; nothing changed
    BackupMissing,  // the backup's folder is gone; nothing changed
    BackupUnsound,  // a file of the backup fails its check; nothing changed
    NoSafetyBackup, // the books in force could not be backed up; nothing changed
};

struct RestoreResult
{
    Outcome<RestoreOutcome> outcome = RestoreOutcome::Done;
    // BackupUnsound: why, as checkBackup says it.
    QString problem;
    // The backup of the books in force taken first.
    BackupResult safety;
    // The backup folder could not be written: the safety backup went beside the tables.
    bool safetyBesideTables = false;
};

// The steps of a restore, for a progress display: called with 0..3 of 4.
using RestoreProgress = std::function<void(int step)>;

// Puts the backup's 品类, 名称, 型号 and 明细 in place of those in use, with
// its 型号资料 and 明细金额 (empty ones when the backup has none, or a damaged
// one: never the prices of the books in force beside another log), all or
// none, also when the program is killed. Only with the books alone:
// while another copy holds them, nothing changes. Under one continuous hold
// of the books, it copies the backup's files into a staging folder beside
// the tables and checks every page of each, backs the books in force up
// (beside the tables when the backup folder can't be written), marks the
// staging complete, then renames the files over those in use while every
// table is locked for writing; a start after a cut-off restore finishes it
// (marked) or drops it (not marked). 设置 stays, and with it the password.
// Announces every change, so every view shows the books restored.
RestoreResult restoreBackup(const BookFolders &folders, const QString &folder, BooksInUse &books,
                            const QDateTime &now, ChangeNotifier &changes,
                            const RestoreProgress &progress = {});

// Before any table is opened, with the books alone: finishes a restore that
// was marked complete, or drops one that was not.
void finishInterruptedRestore(const QString &dataFolder);

} // namespace kucun
