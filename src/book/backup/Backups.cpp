#include "Backups.h"

#include "BackupSettings.h"
#include "book/ChangeNotifier.h"
#include "book/TableFailure.h"
#include "store/RecordCounts.h"
#include "store/SqlCipher.h"
#include "store/Table.h"
#include "store/TableFiles.h"
#include "store/TableSchema.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QSettings>
#include <algorithm>
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

namespace kucun {

namespace {

const QString folderPrefix = QStringLiteral("kucun-备份-");
const QString partialSuffix = QStringLiteral(".partial");
const QString figuresFile = QStringLiteral("备份信息.ini");
const QStringList dataTables{tables::品类, tables::名称, tables::型号, tables::明细};

// Makes a folder's new entries (a renamed folder, a new file) last a power cut.
void syncFolder(const QString &folder)
{
    const int handle = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY);
    if (handle >= 0) {
        ::fsync(handle);
        ::close(handle);
    }
}

// Copies a file and makes the copy last a power cut.
bool copyToDisk(const QString &from, const QString &to)
{
    QFile source(from);
    QFile copy(to);
    if (!source.open(QIODevice::ReadOnly) || !copy.open(QIODevice::WriteOnly)) {
        return false;
    }
    QByteArray chunk(1 << 20, Qt::Uninitialized);
    for (;;) {
        const qint64 read = source.read(chunk.data(), chunk.size());
        if (read < 0) {
            return false;
        }
        if (read == 0) {
            break;
        }
        if (copy.write(chunk.constData(), read) != read) {
            return false;
        }
    }
    return copy.flush() && ::fsync(copy.handle()) == 0 && copy.size() == source.size();
}

// The models, their total stock and the movements of a set of table files.
bool readFigures(const QString &folder, BackupInfo &info)
{
    Table models;
    if (!models.open(QDir(folder).filePath(tables::fileNameOf(tables::型号)), tablePassword())) {
        return false;
    }
    info.models = 0;
    info.totalStock = 0;
    const bool read =
        models.forEachMatching(RecordFilter::all(), {fields::库存}, [&info](const Record &model) {
            ++info.models;
            info.totalStock += model.numberAt(0);
        });
    if (!read) {
        return false;
    }
    Table log;
    if (!log.open(QDir(folder).filePath(tables::fileNameOf(tables::明细)), tablePassword())) {
        return false;
    }
    info.movements = log.recordCount();
    return true;
}

bool writeFigures(const QString &folder, const BackupInfo &info)
{
    QSettings figures(QDir(folder).filePath(figuresFile), QSettings::IniFormat);
    figures.setValue(QStringLiteral("takenAt"), info.takenAt.toString(Qt::ISODate));
    figures.setValue(QStringLiteral("models"), info.models);
    figures.setValue(QStringLiteral("movements"), info.movements);
    figures.setValue(QStringLiteral("totalStock"), info.totalStock);
    figures.sync();
    return figures.status() == QSettings::NoError;
}

BackupInfo readFiguresFile(const QString &folder)
{
    const QSettings figures(QDir(folder).filePath(figuresFile), QSettings::IniFormat);
    BackupInfo info;
    info.folder = folder;
    info.takenAt =
        QDateTime::fromString(figures.value(QStringLiteral("takenAt")).toString(), Qt::ISODate);
    if (!info.takenAt.isValid()) {
        // A backup folder copied by hand without its figures: the name tells the time.
        info.takenAt =
            QDateTime::fromString(QFileInfo(folder).fileName().mid(folderPrefix.size(), 17),
                                  QStringLiteral("yyyy-MM-dd-HHmmss"));
    }
    info.models = figures.value(QStringLiteral("models")).toLongLong();
    info.movements = figures.value(QStringLiteral("movements")).toLongLong();
    info.totalStock = figures.value(QStringLiteral("totalStock")).toDouble();
    return info;
}

// Whether the file opens as the table with every one of its fields.
bool holdsEveryField(const QString &path, const QString &table)
{
    Table opened;
    if (!opened.open(path, tablePassword())) {
        return false;
    }
    const FieldList &stored = opened.schema().fields();
    return std::all_of(tables::fieldsOf(table).cbegin(), tables::fieldsOf(table).cend(),
                       [&stored](const FieldDefinition &field) {
                           return std::any_of(stored.cbegin(), stored.cend(),
                                              [&field](const FieldDefinition &column) {
                                                  return column.name == field.name;
                                              });
                       });
}

// The five files to copy, by their file name in the backup.
QList<std::pair<QString, QString>> liveFiles(const QString &programDir)
{
    QList<std::pair<QString, QString>> files{
        {tables::settingsPath(programDir), tables::fileNameOf(tables::设置)}};
    for (const QString &table : dataTables) {
        files.append(
            {QFileInfo(tables::fileNameOf(table)).absoluteFilePath(), tables::fileNameOf(table)});
    }
    return files;
}

// Copies the five files into the folder while holding all of them locked
// for writing.
BackupOutcome copyLockedFiles(const QString &programDir, const QString &folder)
{
    Table locked;
    if (!locked.open(tables::settingsPath(programDir), tablePassword())) {
        return failureOf<BackupOutcome>(locked);
    }
    for (const QString &table : dataTables) {
        if (!locked.attach(table, tablePassword())) {
            return failureOf<BackupOutcome>(locked);
        }
    }
    if (!locked.beginTransaction()) {
        return failureOf<BackupOutcome>(locked);
    }
    for (const auto &[from, name] : liveFiles(programDir)) {
        if (!copyToDisk(from, QDir(folder).filePath(name))) {
            return BackupOutcome::WriteFailed;
        }
    }
    return BackupOutcome::Done;
}

} // namespace

QString backupFolderName(const QDateTime &takenAt)
{
    return folderPrefix + takenAt.toString(QStringLiteral("yyyy-MM-dd-HHmmss"));
}

BackupResult makeBackup(const QString &programDir, const QString &backupRoot,
                        const QDateTime &takenAt)
{
    QDir root(backupRoot);
    if (!root.mkpath(QStringLiteral("."))) {
        return {BackupOutcome::FolderUnavailable, {}};
    }
    QString name = backupFolderName(takenAt);
    for (int second = 2; root.exists(name); ++second) {
        name = backupFolderName(takenAt) + QLatin1Char('-') + QString::number(second);
    }
    const QString partial = root.filePath(name + partialSuffix);
    QDir(partial).removeRecursively();
    if (!root.mkdir(name + partialSuffix)) {
        return {BackupOutcome::FolderUnavailable, {}};
    }
    BackupInfo info;
    info.takenAt = takenAt;
    BackupOutcome outcome = copyLockedFiles(programDir, partial);
    // Each copy must open with the key and hold its table before the backup
    // counts as made.
    if (outcome == BackupOutcome::Done) {
        for (const QString &table : tables::allTableNames()) {
            Table copy;
            if (!copy.open(QDir(partial).filePath(tables::fileNameOf(table)), tablePassword())) {
                outcome = BackupOutcome::WriteFailed;
            }
        }
    }
    if (outcome == BackupOutcome::Done &&
        (!readFigures(partial, info) || !writeFigures(partial, info))) {
        outcome = BackupOutcome::WriteFailed;
    }
    if (outcome == BackupOutcome::Done) {
        syncFolder(partial);
        if (!root.rename(name + partialSuffix, name)) {
            outcome = BackupOutcome::WriteFailed;
        }
    }
    if (outcome != BackupOutcome::Done) {
        QDir(partial).removeRecursively();
        return {outcome, {}};
    }
    syncFolder(root.absolutePath());
    return {BackupOutcome::Done, root.filePath(name)};
}

BackupResult backUp(const QString &programDir, const QDateTime &takenAt, ChangeNotifier &changes)
{
    const BackupSettings settings = readBackupSettings(programDir);
    const BackupResult result = makeBackup(programDir, settings.root, takenAt);
    if (result.outcome == BackupOutcome::Done) {
        saveLastBackup(programDir, takenAt, result.folder);
        pruneBackups(settings.root, settings.keep);
        emit changes.backupsChanged();
    }
    return result;
}

QList<BackupInfo> listBackups(const QString &backupRoot)
{
    const QDir root(backupRoot);
    QList<BackupInfo> backups;
    for (const QString &name :
         root.entryList({folderPrefix + QLatin1Char('*')}, QDir::Dirs | QDir::NoDotAndDotDot)) {
        if (!name.endsWith(partialSuffix)) {
            backups.append(readFiguresFile(root.filePath(name)));
        }
    }
    std::stable_sort(backups.begin(), backups.end(), [](const BackupInfo &a, const BackupInfo &b) {
        return a.takenAt != b.takenAt ? a.takenAt > b.takenAt : a.folder > b.folder;
    });
    return backups;
}

void pruneBackups(const QString &backupRoot, int keep)
{
    const QList<BackupInfo> backups = listBackups(backupRoot);
    for (qsizetype i = std::max(keep, 0); i < backups.size(); ++i) {
        QDir(backups[i].folder).removeRecursively();
    }
}

BackupCheck checkBackup(const QString &folder)
{
    BackupCheck check;
    check.info = readFiguresFile(folder);
    for (const QString &table : dataTables) {
        const QString file = tables::fileNameOf(table);
        const QString path = QDir(folder).filePath(file);
        if (!QFileInfo::exists(path)) {
            check.problem = QStringLiteral("备份中缺少文件：%1").arg(file);
            return check;
        }
        const auto connection = sql::Connection::openExisting(path, tablePassword());
        if (!connection) {
            check.problem =
                QStringLiteral("备份文件无法打开（密钥不符或不是数据表）：%1").arg(file);
            return check;
        }
        sql::Statement integrity(connection->handle(), QStringLiteral("PRAGMA integrity_check"));
        if (!integrity.step() || integrity.textAt(0) != QStringLiteral("ok")) {
            check.problem = QStringLiteral("备份文件已损坏：%1").arg(file);
            return check;
        }
        if (!holdsEveryField(path, table)) {
            check.problem = QStringLiteral("备份文件缺少数据表或字段：%1").arg(file);
            return check;
        }
    }
    if (!readFigures(folder, check.info)) {
        check.problem = QStringLiteral("备份文件无法读取：%1").arg(folder);
    }
    return check;
}

namespace {

// A restore stages the backup's files here, in the data folder, marks them
// complete, then renames each over the file in use.
const QString stagingName = QStringLiteral(".恢复中");
const QString completeMark = QStringLiteral("已就绪");

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
    return locked.beginTransaction();
}

// Renames the staged files over those in use, then removes the staging
// folder. Each rename is whole; the mark, left until the end, makes the next
// start finish what a cut-off run began.
bool moveStagedFilesIn(const QString &dataFolder)
{
    const QDir staging(QDir(dataFolder).filePath(stagingName));
    bool moved = true;
    for (const QString &table : dataTables) {
        const QString file = tables::fileNameOf(table);
        if (staging.exists(file)) {
            const QString into = QDir(dataFolder).filePath(file);
            moved = ::rename(QFile::encodeName(staging.filePath(file)).constData(),
                             QFile::encodeName(into).constData()) == 0 &&
                    moved;
            recordcounts::forget(QFileInfo(into).canonicalFilePath());
        }
    }
    syncFolder(dataFolder);
    return moved && QDir(staging.path()).removeRecursively();
}

bool markComplete(const QString &staging)
{
    QSaveFile mark(QDir(staging).filePath(completeMark));
    return mark.open(QIODevice::WriteOnly) && mark.commit();
}

// Copies the backup's data files into the staging folder and marks them
// complete, with the tables in use locked for writing. Nothing is changed
// in the data folder.
RestoreOutcome stageBackup(const QString &folder, const QString &staging, Table &live)
{
    if (!lockDataTables(live, QDir::currentPath())) {
        return failureOf<RestoreOutcome>(live);
    }
    QDir(staging).removeRecursively();
    if (!QDir().mkpath(staging)) {
        return RestoreOutcome::WriteFailed;
    }
    for (const QString &table : dataTables) {
        const QString file = tables::fileNameOf(table);
        if (!copyToDisk(QDir(folder).filePath(file), QDir(staging).filePath(file))) {
            return RestoreOutcome::WriteFailed;
        }
        if (!holdsEveryField(QDir(staging).filePath(file), table)) {
            return RestoreOutcome::TableUnavailable;
        }
    }
    // Ids the log in use handed out are not handed out again.
    if (!keepIdsAbove(QDir(staging).filePath(tables::fileNameOf(tables::明细)),
                      QFileInfo(tables::fileNameOf(tables::明细)).absoluteFilePath())) {
        return RestoreOutcome::WriteFailed;
    }
    return RestoreOutcome::Done;
}

} // namespace

RestoreOutcome restoreBackup(const QString &folder, ChangeNotifier &changes)
{
    const QString dataFolder = QDir::currentPath();
    const QString staging = QDir(dataFolder).filePath(stagingName);
    RestoreOutcome outcome;
    {
        Table live;
        outcome = stageBackup(folder, staging, live);
        // The staged files are locked too, so that a program that opens a
        // table the moment it is renamed in waits for the others to follow.
        Table restored;
        if (outcome == RestoreOutcome::Done && !lockDataTables(restored, staging)) {
            outcome = RestoreOutcome::TableUnavailable;
        }
        if (outcome == RestoreOutcome::Done && !markComplete(staging)) {
            outcome = RestoreOutcome::WriteFailed;
        }
        if (outcome != RestoreOutcome::Done) {
            QDir(staging).removeRecursively();
            return outcome;
        }
        syncFolder(staging);
        if (!moveStagedFilesIn(dataFolder)) {
            outcome = RestoreOutcome::WriteFailed;
        }
    }
    emit changes.catalogueChanged();
    emit changes.modelsChanged();
    emit changes.stockChanged();
    emit changes.movementsDeleted();
    return outcome;
}

void finishInterruptedRestore(const QString &dataFolder)
{
    const QString staging = QDir(dataFolder).filePath(stagingName);
    if (QFileInfo::exists(QDir(staging).filePath(completeMark))) {
        moveStagedFilesIn(dataFolder);
    } else {
        QDir(staging).removeRecursively();
    }
}

} // namespace kucun
