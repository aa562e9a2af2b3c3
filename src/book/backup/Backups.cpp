#include "Backups.h"

#include "BackupFiles.h"
#include "BackupSettings.h"
#include "ServerBackups.h"
#include "book/ChangeNotifier.h"
#include "store/SqlCipher.h"
#include "store/Table.h"
#include "store/TableFiles.h"
#include "store/TableSchema.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QSettings>
#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <limits>
#include <sys/file.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace kucun {

using namespace backupfiles;

namespace {

const QString folderPrefix = QStringLiteral("kucun-备份-");
const QString partialSuffix = QStringLiteral(".partial");
// Backups taken before a restore or a reset: how many of each kind are kept.
constexpr int keepBeforeChange = 10;
// A ".partial" folder without its lock is one whose backup died before it
// made the lock, or one about to make it: left alone while this young.
constexpr int unlockedPartialGraceSeconds = 600;

// Each kind's key in 备份信息.ini and its text in the list, in the order of BackupKind.
struct KindNames
{
    QString key;
    QString text;
};
const std::array<KindNames, 4> kindNames{{
    {QStringLiteral("daily"), QStringLiteral("自动")},
    {QStringLiteral("manual"), QStringLiteral("手动")},
    {QStringLiteral("before-restore"), QStringLiteral("恢复前")},
    {QStringLiteral("before-reset"), QStringLiteral("重置前")},
}};

QString kindKey(BackupKind kind)
{
    return kindNames[size_t(kind)].key;
}

BackupKind kindOfKey(const QString &key)
{
    for (size_t kind = 0; kind < kindNames.size(); ++kind) {
        if (kindNames[kind].key == key) {
            return BackupKind(kind);
        }
    }
    return BackupKind::Manual;
}

qint64 numberOf(sql::Connection &connection, const QString &query, double *second = nullptr)
{
    sql::Statement read(connection.handle(), query);
    if (!read.step()) {
        return -1;
    }
    if (second) {
        *second = read.doubleAt(1);
    }
    return read.int64At(0);
}

// The models, their total stock and the movements of a set of table files.
bool readFigures(const QString &folder, BackupInfo &info)
{
    const auto models = sql::Connection::openExisting(
        QDir(folder).filePath(tables::fileNameOf(tables::型号)), tablePassword());
    const auto log = sql::Connection::openExisting(
        QDir(folder).filePath(tables::fileNameOf(tables::明细)), tablePassword());
    if (!models || !log) {
        return false;
    }
    info.models =
        numberOf(*models,
                 QStringLiteral("SELECT count(*), total(%1) FROM %2")
                     .arg(sql::quoteIdentifier(fields::库存), sql::quoteIdentifier(tables::型号)),
                 &info.totalStock);
    info.movements = numberOf(
        *log, QStringLiteral("SELECT count(*) FROM %1").arg(sql::quoteIdentifier(tables::明细)));
    return info.models >= 0 && info.movements >= 0;
}

// 备份信息.ini, written whole and synced like the copies.
bool writeFigures(const QString &folder, const BackupInfo &info)
{
    const QByteArray text = QStringLiteral("[General]\ntakenAt=%1\nkind=%2\nmodels=%3\n"
                                           "movements=%4\ntotalStock=%5\n")
                                .arg(info.takenAt.toString(Qt::ISODate), kindKey(info.kind))
                                .arg(info.models)
                                .arg(info.movements)
                                .arg(QString::number(info.totalStock, 'g', 17))
                                .toUtf8();
    QFile file(QDir(folder).filePath(figuresFile));
    return file.open(QIODevice::WriteOnly) && file.write(text) == text.size() && file.flush() &&
           ::fsync(file.handle()) == 0;
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
    info.kind = kindOfKey(figures.value(QStringLiteral("kind")).toString());
    info.models = figures.value(QStringLiteral("models")).toLongLong();
    info.movements = figures.value(QStringLiteral("movements")).toLongLong();
    info.totalStock = figures.value(QStringLiteral("totalStock")).toDouble();
    return info;
}

// The five files to copy, by their file name in the backup.
QList<std::pair<QString, QString>> liveFiles(const BookFolders &folders)
{
    QList<std::pair<QString, QString>> files{
        {tables::settingsPath(folders.program), tables::fileNameOf(tables::设置)}};
    for (const QString &table : dataTables) {
        files.append(
            {QDir(folders.data).filePath(tables::fileNameOf(table)), tables::fileNameOf(table)});
    }
    return files;
}

// A table that could not be locked for the copy: busy, read-only, of the
// wrong fields, or else one that could not be opened.
Outcome<BackupOutcome> outcomeOfFault(StoreFault fault)
{
    switch (fault.kind()) {
    case StoreFault::Busy:
    case StoreFault::ReadOnly:
    case StoreFault::WrongLayout:
        return fault;
    case StoreFault::None:
    case StoreFault::Unavailable:
    case StoreFault::WriteFailed:
        break;
    }
    return StoreFault::Unavailable;
}

Outcome<BackupOutcome> outcomeOfCopy(Copy copy)
{
    if (copy == Copy::Failed) {
        return StoreFault::WriteFailed;
    }
    return copy == Copy::Done ? BackupOutcome::Done : BackupOutcome::DiskFull;
}

// Copies the five files into the folder as one moment: copied while
// others may write, then, holding all of them locked for writing, made
// equal to them again. A booking waits only for that second pass, which
// reads from the system's cache and writes only what changed. Plain
// SQLite connections hold the lock: no Table is opened, so the window's
// thread may go on opening its own meanwhile.
Outcome<BackupOutcome> copyLockedFiles(const BookFolders &folders, const QString &folder)
{
    auto files = liveFiles(folders);
    StoreFault fault = StoreFault::None;
    const auto locked = sql::Connection::openExisting(tables::settingsPath(folders.program),
                                                      tablePassword(), &fault);
    if (!locked) {
        return outcomeOfFault(fault);
    }
    for (qsizetype i = 1; i < files.size(); ++i) {
        if (!locked->attach(files[i].first, QStringLiteral("t%1").arg(i), tablePassword(),
                            &fault)) {
            return outcomeOfFault(fault);
        }
    }
    // The tables of our own go along where they can be locked; one missing
    // or damaged never stops the backup of the five.
    for (const QString &table : tables::ownTableNames()) {
        const QString path = QDir(folders.data).filePath(tables::fileNameOf(table));
        if (locked->attach(path, QStringLiteral("t%1").arg(files.size()), tablePassword())) {
            files.append({path, tables::fileNameOf(table)});
        }
    }
    for (const auto &[from, name] : files) {
        const Outcome<BackupOutcome> copied =
            outcomeOfCopy(copyFile(from, QDir(folder).filePath(name)));
        if (copied != BackupOutcome::Done) {
            return copied;
        }
    }
    if (!locked->exec(QStringLiteral("BEGIN IMMEDIATE"))) {
        return outcomeOfFault(locked->lastFault());
    }
    Outcome<BackupOutcome> outcome = BackupOutcome::Done;
    for (const auto &[from, name] : files) {
        if (outcome == BackupOutcome::Done) {
            outcome = outcomeOfCopy(catchUp(from, QDir(folder).filePath(name)));
        }
    }
    locked->exec(QStringLiteral("ROLLBACK"));
    return outcome;
}

// Copies the table files into a backup's folder, makes the copies last a
// power cut, and counts the figures from them.
Outcome<BackupOutcome> copyTableFiles(const BookFolders &folders, const QString &folder,
                                      BackupInfo &info)
{
    Outcome<BackupOutcome> outcome = copyLockedFiles(folders, folder);
    if (outcome != BackupOutcome::Done) {
        return outcome;
    }
    // The copies reach the disk after the lock is let go; meanwhile the
    // figures are counted from them (the one takes the disk, the other a core).
    bool counted = false;
    std::thread count([&folder, &info, &counted] {
        // Each copy must open with the key before the backup counts as made.
        const QStringList names = tables::allTableNames();
        counted = std::all_of(names.cbegin(), names.cend(),
                              [&folder](const QString &table) {
                                  return sql::Connection::openExisting(
                                             QDir(folder).filePath(tables::fileNameOf(table)),
                                             tablePassword()) != nullptr;
                              }) &&
                  readFigures(folder, info);
    });
    for (const QString &table : tables::allTableNames() + tables::ownTableNames()) {
        const QString copy = QDir(folder).filePath(tables::fileNameOf(table));
        if (outcome == BackupOutcome::Done && QFileInfo::exists(copy)) {
            outcome = outcomeOfCopy(syncFile(copy));
        }
    }
    count.join();
    if (outcome == BackupOutcome::Done && !counted) {
        outcome = StoreFault::WriteFailed;
    }
    return outcome;
}

// A backup's own ".partial" folder, locked while it is written, removed
// unless it was finished.
class PartialFolder
{
public:
    PartialFolder(const QString &root, const QString &finalName) : m_root(root), m_final(finalName)
    {
        // Another backup's clean-up may take the folder between its making
        // and its lock; then it is made again under another name.
        for (int attempt = 0; attempt < 3 && m_lock < 0; ++attempt) {
            m_name = QStringLiteral("%1.%2-%3%4")
                         .arg(finalName)
                         .arg(::getpid())
                         .arg(QRandomGenerator::global()->generate(), 8, 16, QLatin1Char('0'))
                         .arg(partialSuffix);
            if (!QDir(m_root).mkdir(m_name)) {
                return;
            }
            const QByteArray lockPath = encoded(QDir(path()).filePath(writingLock));
            const int lock =
                ::open(lockPath.constData(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0644);
            struct stat held = {};
            struct stat named = {};
            if (lock >= 0 && ::flock(lock, LOCK_EX | LOCK_NB) == 0 && ::fstat(lock, &held) == 0 &&
                ::stat(lockPath.constData(), &named) == 0 && held.st_ino == named.st_ino &&
                held.st_dev == named.st_dev) {
                m_lock = lock;
            } else if (lock >= 0) {
                ::close(lock);
            }
        }
    }
    ~PartialFolder()
    {
        if (m_lock >= 0 && !m_done) {
            removeFolderOf(m_root, m_name, filesOfABackup());
        }
        if (m_lock >= 0) {
            ::close(m_lock);
        }
    }
    PartialFolder(const PartialFolder &) = delete;
    PartialFolder &operator=(const PartialFolder &) = delete;

    bool isOpen() const { return m_lock >= 0; }
    QString path() const { return QDir(m_root).filePath(m_name); }

    // Renames the folder to the first free name of the backup; the folder's
    // path, or empty when it could not be renamed.
    QString finish()
    {
        syncFolder(path());
        for (int second = 1; second < 1000; ++second) {
            const QString name =
                second == 1 ? m_final : m_final + QLatin1Char('-') + QString::number(second);
            const QString into = QDir(m_root).filePath(name);
            // Never over a folder that is there: a rename would replace an empty one.
            int renamed = ::renameat2(AT_FDCWD, encoded(path()).constData(), AT_FDCWD,
                                      encoded(into).constData(), RENAME_NOREPLACE);
            if (renamed != 0 && (errno == EINVAL || errno == ENOSYS)) {
                // A file system without that rename (a network share).
                renamed = QFileInfo::exists(into)
                              ? -1
                              : ::rename(encoded(path()).constData(), encoded(into).constData());
                errno = renamed != 0 && QFileInfo::exists(into) ? EEXIST : errno;
            }
            if (renamed == 0) {
                m_done = true;
                ::unlink(encoded(QDir(into).filePath(writingLock)).constData());
                syncFolder(m_root);
                return into;
            }
            if (errno != EEXIST && errno != ENOTEMPTY) {
                return {};
            }
        }
        return {};
    }

private:
    QString m_root;
    QString m_final;
    QString m_name;
    int m_lock = -1;
    bool m_done = false;
};

void removeBackup(const BackupInfo &backup)
{
    const QFileInfo folder(backup.folder);
    removeFolderOf(folder.absolutePath(), folder.fileName(), filesOfABackup());
}

// Removes the oldest automatic backup but `spare`; false when there is none.
bool removeOldestDaily(const QString &backupRoot, const QString &spare)
{
    const QList<BackupInfo> backups = listBackups(backupRoot);
    for (auto backup = backups.crbegin(); backup != backups.crend(); ++backup) {
        if (backup->kind == BackupKind::Daily && !sameFolder(backup->folder, spare)) {
            removeBackup(*backup);
            return true;
        }
    }
    return false;
}

} // namespace

QString backupKindText(BackupKind kind)
{
    return kindNames[size_t(kind)].text;
}

QString backupFolderName(const QDateTime &takenAt)
{
    return folderPrefix + takenAt.toString(QStringLiteral("yyyy-MM-dd-HHmmss"));
}

BackupResult makeBackup(const BookFolders &folders, const QString &backupRoot,
                        const QDateTime &takenAt, BackupKind kind)
{
    if (!QDir(backupRoot).mkpath(QStringLiteral("."))) {
        return {BackupOutcome::FolderUnavailable, {}};
    }
    removeLeftPartials(backupRoot);
    PartialFolder partial(backupRoot, backupFolderName(takenAt));
    if (!partial.isOpen()) {
        return {BackupOutcome::FolderUnavailable, {}};
    }
    BackupInfo info;
    info.takenAt = takenAt;
    info.kind = kind;
    Outcome<BackupOutcome> outcome =
        folders.server.isEmpty() ? copyTableFiles(folders, partial.path(), info)
                                 : serverbackup::dumpBook(folders.server, partial.path(), info);
    if (outcome == BackupOutcome::Done && !writeFigures(partial.path(), info)) {
        outcome = outcomeOfCopy(isNoRoom(errno) ? Copy::NoRoom : Copy::Failed);
    }
    if (outcome != BackupOutcome::Done) {
        return {outcome, {}};
    }
    const QString folder = partial.finish();
    if (folder.isEmpty()) {
        return {StoreFault::WriteFailed, {}};
    }
    return {BackupOutcome::Done, folder};
}

BackupResult makeKeptBackup(const BookFolders &folders, const QDateTime &takenAt, BackupKind kind,
                            const QString &spare)
{
    const BackupSettings settings = readBackupSettings(folders);
    BackupResult result = makeBackup(folders, settings.root, takenAt, kind);
    // Pruning runs after a backup is made; on a full stick it must come first.
    if (result.outcome == BackupOutcome::DiskFull && removeOldestDaily(settings.root, spare)) {
        result = makeBackup(folders, settings.root, takenAt, kind);
    }
    if (result.outcome == BackupOutcome::Done) {
        saveLastBackup(folders, takenAt, result.folder);
        pruneBackups(settings.root, settings.keep, spare);
    }
    return result;
}

BackupResult backUp(const BookFolders &folders, const QDateTime &takenAt, BackupKind kind,
                    ChangeNotifier &changes)
{
    const BackupResult result = makeKeptBackup(folders, takenAt, kind);
    emit changes.backupsChanged();
    return result;
}

QList<BackupInfo> listBackups(const QString &backupRoot)
{
    const QDir root(backupRoot);
    QList<BackupInfo> backups;
    for (const QString &name :
         root.entryList({folderPrefix + QLatin1Char('*')},
                        QDir::Dirs | QDir::NoDotAndDotDot | QDir::NoSymLinks)) {
        if (!name.endsWith(partialSuffix)) {
            backups.append(readFiguresFile(root.filePath(name)));
        }
    }
    std::stable_sort(backups.begin(), backups.end(), [](const BackupInfo &a, const BackupInfo &b) {
        return a.takenAt != b.takenAt ? a.takenAt > b.takenAt : a.folder > b.folder;
    });
    return backups;
}

void pruneBackups(const QString &backupRoot, int keepDaily, const QString &spare)
{
    // Backups of each kind seen so far, newest first.
    std::array<int, kindNames.size()> seen{};
    for (const BackupInfo &backup : listBackups(backupRoot)) {
        const int kept = backup.kind == BackupKind::Daily    ? std::max(keepDaily, 0)
                         : backup.kind == BackupKind::Manual ? std::numeric_limits<int>::max()
                                                             : keepBeforeChange;
        if (++seen[size_t(backup.kind)] > kept && !sameFolder(backup.folder, spare)) {
            removeBackup(backup);
        }
    }
}

void removeLeftPartials(const QString &backupRoot)
{
    const QDir root(backupRoot);
    for (const QString &name :
         root.entryList({folderPrefix + QLatin1Char('*') + partialSuffix},
                        QDir::Dirs | QDir::NoDotAndDotDot | QDir::NoSymLinks)) {
        const Handle folder(::open(encoded(root.filePath(name)).constData(),
                                   O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
        if (folder.fd < 0) {
            continue;
        }
        const Handle lock(
            ::openat(folder.fd, encoded(writingLock).constData(), O_RDWR | O_NOFOLLOW | O_CLOEXEC));
        if (lock.fd >= 0 ? ::flock(lock.fd, LOCK_EX | LOCK_NB) == 0 : [&folder] {
                struct stat made = {};
                return ::fstat(folder.fd, &made) == 0 &&
                       made.st_mtime < ::time(nullptr) - unlockedPartialGraceSeconds;
            }()) {
            // Held by nothing: its backup is no longer running. The lock goes last.
            QStringList files = filesOfABackup();
            files.removeAll(writingLock);
            files.append(writingLock);
            removeFolderOf(backupRoot, name, files);
        }
    }
}

bool onDataDisk(const QString &backupRoot, const BookFolders &folders)
{
    // A server book's tables are on another computer.
    if (!folders.server.isEmpty()) {
        return false;
    }
    const QString &dataFolder = folders.data;
    QFileInfo existing(QDir::cleanPath(QFileInfo(backupRoot).absoluteFilePath()));
    while (!existing.exists() && !existing.isRoot()) {
        existing = QFileInfo(existing.absolutePath());
    }
    struct stat backups = {};
    struct stat data = {};
    return ::stat(encoded(existing.absoluteFilePath()).constData(), &backups) == 0 &&
           ::stat(encoded(dataFolder).constData(), &data) == 0 && backups.st_dev == data.st_dev;
}

BackupCheck checkBackup(const BookFolders &folders, const QString &folder)
{
    BackupCheck check;
    check.info = readFiguresFile(folder);
    if (!QFileInfo(folder).isDir()) {
        check.missing = true;
        check.problem = QStringLiteral("所选备份已不存在：") + folder;
        return check;
    }
    if (!folders.server.isEmpty()) {
        check.problem = serverbackup::dumpProblem(folder);
        return check;
    }
    if (QFileInfo::exists(QDir(folder).filePath(serverDumpFile))) {
        check.problem = QStringLiteral("这是数据库服务器上账本的备份，不能恢复到数据文件");
        return check;
    }
    for (const QString &table : dataTables) {
        const QString file = tables::fileNameOf(table);
        const QString path = QDir(folder).filePath(file);
        if (!QFileInfo::exists(path)) {
            check.problem = QStringLiteral("备份中缺少文件：%1").arg(file);
            return check;
        }
        if (!sql::Connection::openExisting(path, tablePassword())) {
            check.problem =
                QStringLiteral("备份文件无法打开（不是本程序的数据文件，或已损坏）：%1").arg(file);
            return check;
        }
        if (!holdsEveryField(path, table)) {
            check.problem = QStringLiteral("备份文件缺少数据表或字段：%1").arg(file);
            return check;
        }
    }
    // The figures the backup wrote when it was made, or, without them, counted.
    if (!QFileInfo::exists(QDir(folder).filePath(figuresFile)) &&
        !readFigures(folder, check.info)) {
        check.problem = QStringLiteral("备份文件无法读取：%1").arg(folder);
    }
    return check;
}

} // namespace kucun
