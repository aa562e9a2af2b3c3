#include "BackupFiles.h"
#include "BackupSettings.h"
#include "Backups.h"
#include "BooksInUse.h"
#include "ServerBackups.h"
#include "book/ChangeNotifier.h"
#include "store/PageCheck.h"
#include "store/RecordCounts.h"
#include "store/SqlCipher.h"
#include "store/Table.h"
#include "store/TableFiles.h"
#include "store/TableSchema.h"

#include <QDir>
#include <QFileInfo>
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

// Restores: staging a backup beside the tables, checking it, and renaming it
// over the books in use while they are held alone.
namespace kucun {

using namespace backupfiles;

namespace {

// A restore stages the backup's files here, in the data folder, marks them
// complete, then renames each over the file in use.
const QString stagingName = QStringLiteral(".恢复中");
const QString completeMark = QStringLiteral("已就绪");

void removeStaging(const QString &dataFolder)
{
    removeFolderOf(dataFolder, stagingName, filesOfABackup() << completeMark);
}

// Takes the write lock of the four data tables in a folder: no other
// program is in the middle of changing them while the lock is held.
bool lockDataTables(Table &locked, const QString &folder)
{
    const auto path = [&folder](const QString &table) {
        return QDir(folder).filePath(tables::fileNameOf(table));
    };
    // No field is read: a book whose fields went wrong may be restored too.
    if (!locked.open(path(tables::品类), tablePassword(), FieldCheck::None)) {
        return false;
    }
    for (const QString &table : {tables::名称, tables::型号, tables::明细}) {
        if (!locked.attach(path(table), tablePassword(), FieldCheck::None)) {
            return false;
        }
    }
    // The tables of our own where they open: a damaged one is replaced anyway.
    for (const QString &table : ownTables) {
        locked.attach(path(table), tablePassword(), FieldCheck::None);
    }
    locked.clearFault();
    return locked.beginTransaction();
}

// Renames the staged files over those in use, then removes the staging
// folder. Each rename is whole; the mark, left until the end, makes the next
// start finish what a cut-off run began.
bool moveStagedFilesIn(const QString &dataFolder)
{
    const QDir staging(QDir(dataFolder).filePath(stagingName));
    bool moved = true;
    for (const QString &table : dataTables + ownTables) {
        const QString file = tables::fileNameOf(table);
        if (staging.exists(file)) {
            const QString into = QDir(dataFolder).filePath(file);
            moved = ::rename(encoded(staging.filePath(file)).constData(),
                             encoded(into).constData()) == 0 &&
                    moved;
            recordcounts::forget(QFileInfo(into).canonicalFilePath());
        }
    }
    syncFolder(dataFolder);
    return moved && (removeStaging(dataFolder), !QFileInfo::exists(staging.path()));
}

// The mark is an empty file: being there is what it says.
bool markComplete(const QString &staging)
{
    const Handle mark(::open(encoded(QDir(staging).filePath(completeMark)).constData(),
                             O_WRONLY | O_CREAT | O_CLOEXEC, 0644));
    return mark.fd >= 0 && ::fsync(mark.fd) == 0;
}

// The backup's tables of our own, or, where it has none (made before
// them) or one that is damaged, empty ones: the prices of the books in force
// never stay beside the log of another day.
bool stageOwnTables(const QString &folder, const QString &staging)
{
    bool staged = true;
    for (const QString &table : ownTables) {
        const QString file = tables::fileNameOf(table);
        const QString from = QDir(folder).filePath(file);
        const QString copy = QDir(staging).filePath(file);
        const bool sound = QFileInfo::exists(from) && copyFile(from, copy) == Copy::Done &&
                           sql::firstUnsoundPage(copy, tablePassword()) == 0 &&
                           holdsEveryField(copy, table);
        if (!sound) {
            QFile::remove(copy);
            staged = createTableFile(copy, table) && staged;
        }
    }
    return staged;
}

// Copies the backup's data files into the staging folder and checks every
// page and field of each copy. Nothing is changed in the data folder.
RestoreResult stageBackup(const QString &folder, const QString &staging, const QString &dataFolder)
{
    RestoreResult result;
    const auto unsound = [&result](const QString &problem) {
        result.outcome = RestoreOutcome::BackupUnsound;
        result.problem = problem;
        return result;
    };
    if (!QDir().mkpath(staging)) {
        return {StoreFault::WriteFailed, {}, {}, false};
    }
    for (const QString &table : dataTables) {
        const QString file = tables::fileNameOf(table);
        const QString from = QDir(folder).filePath(file);
        const QString copy = QDir(staging).filePath(file);
        if (!QFileInfo(folder).isDir()) {
            return {RestoreOutcome::BackupMissing, {}, {}, false};
        }
        if (!QFileInfo::exists(from)) {
            return unsound(QStringLiteral("备份中缺少文件：%1").arg(file));
        }
        if (copyFile(from, copy) != Copy::Done) {
            if (QFileInfo(folder).isDir()) {
                return {StoreFault::WriteFailed, {}, {}, false};
            }
            return {RestoreOutcome::BackupMissing, {}, {}, false};
        }
        // The copy is checked, not the original: these are the bytes that go in.
        const qint64 page = sql::firstUnsoundPage(copy, tablePassword());
        if (page < 0) {
            return unsound(
                QStringLiteral("备份文件无法打开（不是本程序的数据文件，或已损坏）：%1").arg(file));
        }
        if (page > 0) {
            return unsound(QStringLiteral("备份文件已损坏：%1").arg(file));
        }
        if (!holdsEveryField(copy, table)) {
            return unsound(QStringLiteral("备份文件缺少数据表或字段：%1").arg(file));
        }
    }
    // A log from before ids gets them in its staged copy, where it can take
    // them (the backup stays as it is); it works on without them otherwise.
    const QString stagedLog = QDir(staging).filePath(tables::fileNameOf(tables::明细));
    giveLogOwnIds(stagedLog);
    // The prices that go with the backup's log; ids the log in use handed
    // out are not handed out again.
    if (!stageOwnTables(folder, staging) ||
        !keepIdsAbove(stagedLog, QDir(dataFolder).filePath(tables::fileNameOf(tables::明细)))) {
        result.outcome = StoreFault::WriteFailed;
    }
    return result;
}

// The backup of the books in force before a restore: into the backup
// folder, or, when that can't be written (a read-only or full stick),
// beside the tables.
void backUpBeforeRestore(const BookFolders &folders, const QString &restored, const QDateTime &now,
                         RestoreResult &result)
{
    result.safety = makeKeptBackup(folders, now, BackupKind::BeforeRestore, restored);
    const QString beside = folders.backup;
    const Outcome<BackupOutcome> failed = result.safety.outcome;
    if ((failed == BackupOutcome::FolderUnavailable || failed == BackupOutcome::DiskFull ||
         failed == StoreFault::WriteFailed) &&
        !sameFolder(readBackupSettings(folders).root, beside)) {
        const BackupResult there = makeBackup(folders, beside, now, BackupKind::BeforeRestore);
        if (there.outcome == BackupOutcome::Done) {
            result.safety = there;
            result.safetyBesideTables = true;
            saveLastBackup(folders, now, there.folder);
        }
    }
    if (result.safety.outcome != BackupOutcome::Done) {
        result.outcome = RestoreOutcome::NoSafetyBackup;
    }
}

void announceRestored(ChangeNotifier &changes)
{
    emit changes.catalogueChanged();
    emit changes.modelsChanged();
    emit changes.stockChanged();
    emit changes.movementsDeleted();
}

// A book on a server: checked, backed up, then swapped in by the server in
// one transaction. No file of the data folder is involved.
RestoreResult restoreServerBackup(const BookFolders &folders, const QString &folder,
                                  const QDateTime &now, ChangeNotifier &changes,
                                  const std::function<void(int)> &step)
{
    if (!QFileInfo(folder).isDir()) {
        return {RestoreOutcome::BackupMissing, {}, {}, false};
    }
    step(0);
    RestoreResult result;
    result.problem = serverbackup::dumpProblem(folder);
    if (!result.problem.isEmpty()) {
        result.outcome = RestoreOutcome::BackupUnsound;
        return result;
    }
    step(1);
    backUpBeforeRestore(folders, folder, now, result);
    emit changes.backupsChanged();
    if (result.outcome != RestoreOutcome::Done) {
        return result;
    }
    step(2);
    result.outcome = serverbackup::restoreDump(folders.server, folder, &result.problem);
    if (result.outcome != RestoreOutcome::Done) {
        return result;
    }
    step(3);
    announceRestored(changes);
    return result;
}

} // namespace

RestoreResult restoreBackup(const BookFolders &folders, const QString &folder, BooksInUse &books,
                            const QDateTime &now, ChangeNotifier &changes,
                            const RestoreProgress &progress)
{
    const auto step = [&progress](int done) {
        if (progress) {
            progress(done);
        }
    };
    if (!folders.server.isEmpty()) {
        return restoreServerBackup(folders, folder, now, changes, step);
    }
    if (!books.tryAlone()) {
        return {RestoreOutcome::InUseElsewhere, {}, {}, false};
    }
    // Back to shared however the restore ends; until then no other copy
    // starts, books or backs up.
    const std::unique_ptr<BooksInUse, void (*)(BooksInUse *)> shareAgain(
        &books, [](BooksInUse *held) { held->share(); });
    if (!QFileInfo(folder).isDir()) {
        return {RestoreOutcome::BackupMissing, {}, {}, false};
    }
    const QString dataFolder = folders.data;
    const QString staging = QDir(dataFolder).filePath(stagingName);
    removeStaging(dataFolder);
    step(0);
    RestoreResult result = stageBackup(folder, staging, dataFolder);
    if (result.outcome == RestoreOutcome::Done) {
        step(1);
        backUpBeforeRestore(folders, folder, now, result);
        emit changes.backupsChanged();
    }
    if (result.outcome == RestoreOutcome::Done) {
        step(2);
        for (const QString &table : dataTables + ownTables) {
            const QString staged = QDir(staging).filePath(tables::fileNameOf(table));
            if (QFileInfo::exists(staged) && syncFile(staged) != Copy::Done) {
                result.outcome = StoreFault::WriteFailed;
            }
        }
    }
    {
        Table live;
        if (result.outcome == RestoreOutcome::Done && !lockDataTables(live, dataFolder)) {
            result.outcome = live.fault();
        }
        // The staged files are locked too, so that a program that opens a
        // table the moment it is renamed in waits for the others to follow.
        Table restored;
        if (result.outcome == RestoreOutcome::Done && !lockDataTables(restored, staging)) {
            result.outcome = StoreFault::Unavailable;
        }
        if (result.outcome == RestoreOutcome::Done && !markComplete(staging)) {
            result.outcome = StoreFault::WriteFailed;
        }
        if (result.outcome != RestoreOutcome::Done) {
            removeStaging(dataFolder);
            return result;
        }
        syncFolder(staging);
        if (!moveStagedFilesIn(dataFolder)) {
            result.outcome = StoreFault::WriteFailed;
        }
    }
    step(3);
    announceRestored(changes);
    return result;
}

void finishInterruptedRestore(const QString &dataFolder)
{
    const QString staging = QDir(dataFolder).filePath(stagingName);
    if (QFileInfo::exists(QDir(staging).filePath(completeMark))) {
        moveStagedFilesIn(dataFolder);
    } else {
        removeStaging(dataFolder);
    }
}

} // namespace kucun
