#include "book/ChangeNotifier.h"
#include "book/backup/BackupSettings.h"
#include "book/backup/Backups.h"
#include "book/backup/BooksInUse.h"
#include "book/catalogue/CatalogueChanges.h"
#include "book/files/InterruptedWrites.h"
#include "book/settings/Settings.h"
#include "book/stock/Booking.h"
#include "book/stock/LogQueries.h"
#include "helpers/OutcomeText.h"
#include "helpers/ServerCluster.h"
#include "helpers/ShopData.h"
#include "helpers/TestTables.h"
#include "store/SqlCipher.h"
#include "store/Table.h"
#include "store/TableSchema.h"
#include "store/server/PgConnection.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QProcess>
#include <QSignalSpy>
#include <QTest>
#include <QThread>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/syscall.h>
#include <thread>
#include <unistd.h>
#include <utility>

using namespace kucun;
using namespace kucun::test;

// Backups and restores of the five table files, without a window.
class BackupsTest : public QObject
{
    Q_OBJECT

private slots:
    void aBackupIsRestoredWhole();
    void anUnsoundBackupIsRefused_data();
    void anUnsoundBackupIsRefused();
    void aFolderThatCantBeWrittenMakesNoBackup();
    void pruningAndCleaningUpSpareWhatTheyProtect_data();
    void pruningAndCleaningUpSpareWhatTheyProtect();
    void aRestoreHasTheBooksToItself();
    void theStatusLineSaysWhenAndWhy_data();
    void theStatusLineSaysWhenAndWhy();
    void aServerBookIsRestoredWholeOrNotAtAll_data();
    void aServerBookIsRestoredWholeOrNotAtAll();

private:
    // A throwaway server, started by the first test that needs one.
    std::unique_ptr<ServerCluster> m_cluster;
};

namespace {

// A small stick: writes to files under `stickRoot` fail as on a full disk
// once the files there would hold more than `stickBytes`.
QString stickRoot;
qint64 stickBytes = -1;
// The process ends right after this many renames out of a restore's staging folder.
int renamesBeforeDeath = 0;
// Books a stock-in of 5 into these books as a backup starts to write its
// copy of 型号; none when not asked.
const TestTables *bookWhileCopying = nullptr;
void bookIn(const Book &shop, int quantity, const QString &remark);

qint64 bytesUnder(const QString &folder)
{
    qint64 bytes = 0;
    for (QDirIterator file(folder, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
         file.hasNext();) {
        bytes += file.nextFileInfo().size();
    }
    return bytes;
}

} // namespace

extern "C" ssize_t write(int fd, const void *data, size_t size)
{
    char path[4096] = {};
    const QByteArray link = "/proc/self/fd/" + QByteArray::number(fd);
    if (bookWhileCopying && ::readlink(link.constData(), path, sizeof path - 1) > 0 &&
        QByteArray(path).endsWith(".partial/型号.edb")) {
        const TestTables &files = *std::exchange(bookWhileCopying, nullptr);
        bookIn(files, 5, QStringLiteral("复制中"));
    }
    if (stickBytes >= 0) {
        if (::readlink(link.constData(), path, sizeof path - 1) > 0 &&
            QFile::decodeName(path).startsWith(stickRoot) &&
            bytesUnder(stickRoot) + qint64(size) > stickBytes) {
            errno = ENOSPC;
            return -1;
        }
    }
    return ::syscall(SYS_write, fd, data, size);
}

extern "C" int rename(const char *from, const char *to)
{
    const int renamed = ::renameat(AT_FDCWD, from, AT_FDCWD, to);
    if (renamesBeforeDeath > 0 && std::strstr(from, ".恢复中") && --renamesBeforeDeath == 0) {
        ::_exit(3);
    }
    return renamed;
}

namespace {

const QDateTime noon(QDate(2026, 12, 1), QTime(18, 30));

// The stock of 五金/扳手/8寸 and the log's remarks.
QString books(const TestTables &files)
{
    Table models;
    if (!models.open(files.path(tables::型号), tablePassword()) ||
        !models.findTexts({{fields::型号, QStringLiteral("8寸")}})) {
        return QStringLiteral("no 型号");
    }
    QStringList remarks;
    const std::optional<LogMatches> log = movementsWithKeyword(files.folders(), QString());
    const std::optional<std::vector<MovementRecord>> rows =
        readMovements(files.folders(), log->ids);
    for (const MovementRecord &movement : *rows) {
        remarks << movement.remark;
    }
    return QStringLiteral("%1 %2").arg(models.number(fields::库存)).arg(remarks.join(u','));
}

void bookIn(const Book &shop, int quantity, const QString &remark)
{
    ChangeNotifier changes;
    QCOMPARE(book(shop,
                  {QStringLiteral("五金"), QStringLiteral("扳手"), QStringLiteral("8寸"),
                   MovementKind::In, quantity, double(quantity), QDate(2026, 12, 1), remark},
                  changes),
             BookingOutcome::Booked);
}

QString backupRoot(const TestTables &files)
{
    return QDir(files.workDir()).filePath(QStringLiteral("备份"));
}

} // namespace

void BackupsTest::aBackupIsRestoredWhole()
{
    TestTables files;
    addSmallShop(files);
    bookIn(files, 5, QStringLiteral("备份前"));
    const QString before = books(files);
    QCOMPARE(readBackupSettings(files.folders()).root, backupRoot(files));

    ChangeNotifier changes;
    QSignalSpy backups(&changes, &ChangeNotifier::backupsChanged);
    const BackupResult made = backUp(files.folders(), noon, BackupKind::Manual, changes);
    QCOMPARE(made.outcome, BackupOutcome::Done);
    QCOMPARE(made.folder,
             QDir(backupRoot(files)).filePath(QStringLiteral("kucun-备份-2026-12-01-183000")));
    QCOMPARE(backups.count(), 1);
    QCOMPARE(readBackupSettings(files.folders()).lastFolder, made.folder);
    // The copies keep their encryption.
    QFile copy(QDir(made.folder).filePath(QStringLiteral("明细.edb")));
    QVERIFY(copy.open(QIODevice::ReadOnly) && !copy.readAll().contains("SQLite format"));

    const QList<BackupInfo> listed = listBackups(backupRoot(files));
    QCOMPARE(listed.size(), 1);
    QCOMPARE(listed[0].takenAt, noon);
    QCOMPARE(listed[0].models, 5);
    QCOMPARE(listed[0].movements, 1);
    QCOMPARE(listed[0].totalStock, 27.0);
    QCOMPARE(listed[0].kind, BackupKind::Manual);
    // A backup copied by hand without its figures still shows its time.
    QVERIFY(QFile::remove(QDir(made.folder).filePath(QStringLiteral("备份信息.ini"))));
    QCOMPARE(listBackups(backupRoot(files)).constFirst().takenAt, noon);

    // Later bookings, and a new password, then the restore.
    bookIn(files, 7, QStringLiteral("备份后"));
    QVERIFY(savePasswordSettings(files.folders(), {QStringLiteral("新"), true, false, false}) ==
            SettingsOutcome::Done);
    QVERIFY(books(files) != before);
    // A table in use whose field went wrong is restored over as well.
    QVERIFY(QFile::remove(files.path(tables::品类)));
    QVERIFY(sql::Connection::create(files.path(tables::品类), tablePassword())
                ->exec(QStringLiteral("CREATE TABLE 品类(品类 INTEGER)")));
    const BackupCheck check = checkBackup(files.folders(), made.folder);
    QCOMPARE(check.problem, QString());
    QCOMPARE(check.info.movements, 1);
    QSignalSpy restored(&changes, &ChangeNotifier::movementsDeleted);
    BooksInUse held(files.workDir());
    QVERIFY(held.tryShared());
    QCOMPARE(restoreBackup(files.folders(), made.folder, held, noon, changes).outcome,
             RestoreOutcome::Done);
    QVERIFY(held.isShared());
    QCOMPARE(books(files), before);
    QVERIFY(Table().open(files.path(tables::品类), tablePassword()));
    QCOMPARE(restored.count(), 1);
    // 设置 is not restored: the password in force stays.
    QCOMPARE(readSettings(files.folders())->passwords.password, QStringLiteral("新"));
    // Ids are not handed out again after a restore.
    bookIn(files, 1, QStringLiteral("恢复后"));
    QCOMPARE(movementsWithKeyword(files.folders(), QStringLiteral("恢复后"))->ids,
             QList<qint64>{3});

    // The prices come back with their log; a backup from before prices
    // restores with none, so today's never stand beside an older log.
    const auto moneyRows = [&files] {
        Table money;
        return money.open(files.path(tables::明细金额), tablePassword()) ? money.recordCount() : -1;
    };
    QCOMPARE(moneyRows(), 2);
    for (const QString &own : tables::ownTableNames()) {
        QVERIFY(QFile::remove(QDir(made.folder).filePath(tables::fileNameOf(own))));
    }
    QCOMPARE(restoreBackup(files.folders(), made.folder, held, noon, changes).outcome,
             RestoreOutcome::Done);
    QCOMPARE(moneyRows(), 0);
}

void BackupsTest::anUnsoundBackupIsRefused_data()
{
    QTest::addColumn<QString>("damage");
    QTest::addColumn<QString>("problem");
    QTest::newRow("missing file") << "missing"
                                  << "备份中缺少文件：型号.edb";
    QTest::newRow("another key") << "key"
                                 << "备份文件无法打开（不是本程序的数据文件，或已损坏）：型号.edb";
    QTest::newRow("damaged inside") << "damaged"
                                    << "备份文件已损坏：型号.edb";
    QTest::newRow("lacking a field") << "field"
                                     << "备份文件缺少数据表或字段：型号.edb";
    QTest::newRow("a page moved") << "moved"
                                  << "备份文件已损坏：型号.edb";
    QTest::newRow("gone before the restore") << "vanished"
                                             << "所选备份已不存在：";
    QTest::newRow("a server book's") << "server"
                                     << "这是数据库服务器上账本的备份，不能恢复到数据文件";
}

void BackupsTest::anUnsoundBackupIsRefused()
{
    QFETCH(QString, damage);
    QFETCH(QString, problem);
    TestTables files;
    addSmallShop(files);
    for (int i = 0; i < 300; ++i) {
        files.add(tables::型号, {QStringLiteral("填充"), QStringLiteral("填充"), QString::number(i),
                                 QStringLiteral("个"), 1.0, QString()});
    }
    ChangeNotifier changes;
    const QString folder = backUp(files.folders(), noon, BackupKind::Manual, changes).folder;
    const QString models = QDir(folder).filePath(QStringLiteral("型号.edb"));
    QVERIFY(QFile::remove(models));
    if (damage == QStringLiteral("key")) {
        auto foreign = sql::Connection::create(models, QStringLiteral("别的密码"));
        QVERIFY(foreign && foreign->exec(QStringLiteral("CREATE TABLE 型号 (品类 TEXT)")));
    } else if (damage == QStringLiteral("damaged")) {
        QVERIFY(QFile::copy(files.path(tables::型号), models));
        QFile file(models);
        QVERIFY(file.open(QIODevice::ReadWrite) && file.seek(file.size() - 4096 - 200));
        file.write(QByteArray(64, 'x'));
    } else if (damage == QStringLiteral("moved")) {
        // Two whole pages swapped: every byte as SQLCipher wrote it, in the wrong place.
        QVERIFY(QFile::copy(files.path(tables::型号), models));
        QFile file(models);
        QVERIFY(file.open(QIODevice::ReadWrite) && file.size() >= 8 * 1024);
        const QByteArray bytes = file.readAll();
        file.seek(4 * 1024);
        file.write(bytes.mid(5 * 1024, 1024) + bytes.mid(4 * 1024, 1024));
    } else if (damage == QStringLiteral("vanished")) {
        QVERIFY(QDir(folder).removeRecursively());
    } else if (damage == QStringLiteral("server")) {
        QVERIFY(QFile(QDir(folder).filePath("kucun.dump")).open(QIODevice::WriteOnly));
    } else if (damage == QStringLiteral("field")) {
        auto made = sql::Connection::create(models, tablePassword());
        QVERIFY(made && made->exec(QStringLiteral("CREATE TABLE 型号 (品类 TEXT, 名称 TEXT)")));
    }
    const QString before = books(files);
    // The check finds what it can before the question; the restore checks
    // every page as it copies, and even past the check changes nothing.
    QString found = checkBackup(files.folders(), folder).problem;
    BooksInUse held(files.workDir());
    const RestoreResult restored = restoreBackup(files.folders(), folder, held, noon, changes);
    QVERIFY(restored.outcome != RestoreOutcome::Done);
    if (found.isEmpty()) {
        found = restored.problem;
    }
    QCOMPARE(found, damage == QStringLiteral("vanished") ? problem + folder : problem);
    QCOMPARE(books(files), before);
    // Nothing was backed up for a restore that could not be made.
    QCOMPARE(listBackups(backupRoot(files)).size(), damage == QStringLiteral("vanished") ? 0 : 1);
}

void BackupsTest::aFolderThatCantBeWrittenMakesNoBackup()
{
    TestTables files;
    addSmallShop(files);
    // A plain file where the folder should be: a stick that is not there.
    const QString root = QDir(files.workDir()).filePath(QStringLiteral("U盘"));
    QFile blocker(root);
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    QCOMPARE(makeBackup(files.folders(), root, noon, BackupKind::Manual).outcome,
             BackupOutcome::FolderUnavailable);
    // A restore from a stick that can't be written backs the books up
    // beside the tables, and says where.
    ChangeNotifier changes;
    const QString beside = backupRoot(files);
    const QString backup = makeBackup(files.folders(), beside, noon, BackupKind::Manual).folder;
    saveBackupRoot(files.folders(), root, changes);
    BooksInUse held(files.workDir());
    const RestoreResult restored =
        restoreBackup(files.folders(), backup, held, noon.addSecs(60), changes);
    QCOMPARE(restored.outcome, RestoreOutcome::Done);
    QVERIFY(restored.safetyBesideTables);
    QCOMPARE(QFileInfo(restored.safety.folder).path(), beside);
    QVERIFY(QDir(beside).removeRecursively());
    // A table that can't be opened: nothing is left behind.
    files.removeFile(tables::明细);
    const QString elsewhere = QDir(files.workDir()).filePath(QStringLiteral("备份"));
    QCOMPARE(makeBackup(files.folders(), elsewhere, noon, BackupKind::Manual).outcome,
             StoreFault::Unavailable);
    QCOMPARE(QDir(elsewhere).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList());
}

void BackupsTest::pruningAndCleaningUpSpareWhatTheyProtect_data()
{
    QTest::addColumn<QString>("situation");
    QTest::addColumn<QString>("left");
    QTest::newRow("kinds kept") << "kinds"
                                << "恢复前10 手动2 自动30 重置前10 partial0 links0 tables6";
    QTest::newRow("restoring the oldest") << "oldest"
                                          << "恢复前11 partial0 links0 tables6 Done";
    QTest::newRow("a link named like a backup") << "link"
                                                << "自动30 partial0 links1 tables6";
    QTest::newRow("two in the same second") << "same second"
                                            << "手动2 partial1 links0 tables6";
    QTest::newRow("a booking while copying") << "booked"
                                             << "手动1 partial0 links0 tables6";
    QTest::newRow("left by a kill") << "killed"
                                    << "手动1 partial1 links0 tables6";
    QTest::newRow("a full stick") << "full"
                                  << "手动3 partial0 links0 tables6 DiskFull";
}

namespace {

// Where a ".partial" folder of another backup is, with its lock held by
// `held` (or by nothing when held is null).
void partialOfAnother(const QString &root, const QString &name, int *held)
{
    QVERIFY(QDir(root).mkpath(name + QStringLiteral(".partial")));
    const QString folder = QDir(root).filePath(name + QStringLiteral(".partial"));
    QFile copy(QDir(folder).filePath(QStringLiteral("明细.edb")));
    QVERIFY(copy.open(QIODevice::WriteOnly) && copy.write("half"));
    const int lock =
        ::open(QFile::encodeName(QDir(folder).filePath(QStringLiteral(".写入中"))).constData(),
               O_RDWR | O_CREAT, 0644);
    QVERIFY(lock >= 0 && (!held || ::flock(lock, LOCK_EX) == 0));
    if (held) {
        *held = lock;
    } else {
        ::close(lock);
    }
}

// The backups left by kind (and none broken), the ".partial" folders, the
// links and the data tables beside them.
QString whatIsLeft(const QString &root, const QString &dataFolder)
{
    QMap<QString, int> kinds;
    for (const BackupInfo &backup : listBackups(root)) {
        // Each movement of these books is a stock-in of 5 onto 22 to start with.
        const bool whole = backup.models == 5 && backup.totalStock == 22 + 5.0 * backup.movements;
        ++kinds[whole ? backupKindText(backup.kind) : QStringLiteral("broken")];
    }
    QStringList left;
    for (auto kind = kinds.cbegin(); kind != kinds.cend(); ++kind) {
        left << kind.key() + QString::number(kind.value());
    }
    const QDir folder(root);
    left << QStringLiteral("partial%1")
                .arg(folder.entryList({QStringLiteral("*.partial")}, QDir::Dirs | QDir::Hidden)
                         .size())
         << QStringLiteral("links%1").arg(folder.entryList(QDir::System | QDir::Dirs).size() -
                                          folder.entryList(QDir::Dirs | QDir::NoSymLinks).size())
         << QStringLiteral("tables%1")
                .arg(QDir(dataFolder).entryList({QStringLiteral("*.edb")}, QDir::Files).size());
    return left.join(u' ');
}

} // namespace

void BackupsTest::pruningAndCleaningUpSpareWhatTheyProtect()
{
    QFETCH(QString, situation);
    QFETCH(QString, left);
    TestTables files;
    addSmallShop(files);
    const QString root = backupRoot(files);
    const auto made = [&files, &root](int day, BackupKind kind) {
        return makeBackup(files.folders(), root,
                          QDateTime(QDate(2026, 1, 1).addDays(day), QTime(9, 0)), kind);
    };
    QString outcome;
    int held = -1;
    if (situation == QStringLiteral("kinds")) {
        for (int day = 0; day < 58; ++day) {
            made(day, day < 33   ? BackupKind::Daily
                      : day < 35 ? BackupKind::Manual
                      : day < 47 ? BackupKind::BeforeRestore
                                 : BackupKind::BeforeReset);
        }
        pruneBackups(root, 30);
    } else if (situation == QStringLiteral("oldest")) {
        // The backup before the restore must not prune the one restored.
        for (int day = 0; day < 10; ++day) {
            made(day, BackupKind::BeforeRestore);
        }
        ChangeNotifier changes;
        BooksInUse books(files.workDir());
        const Outcome<RestoreOutcome> restored =
            restoreBackup(files.folders(), listBackups(root).constLast().folder, books, noon,
                          changes)
                .outcome;
        outcome =
            restored == RestoreOutcome::Done ? QStringLiteral("Done") : QStringLiteral("failed");
    } else if (situation == QStringLiteral("link")) {
        QVERIFY(QDir().mkpath(root));
        QVERIFY(QFile::link(files.workDir(), QDir(root).filePath(backupFolderName(
                                                 QDateTime(QDate(2020, 1, 1), QTime(0, 0))))));
        // A backup holding a link to a table in use.
        const QString oldest = made(0, BackupKind::Daily).folder;
        QVERIFY(QFile::remove(QDir(oldest).filePath(QStringLiteral("明细.edb"))));
        QVERIFY(QFile::link(files.path(tables::明细),
                            QDir(oldest).filePath(QStringLiteral("明细.edb"))));
        for (int day = 1; day <= 30; ++day) {
            made(day, BackupKind::Daily);
        }
        pruneBackups(root, 30);
    } else if (situation == QStringLiteral("same second")) {
        partialOfAnother(root, backupFolderName(noon) + QStringLiteral(".1-1"), &held);
        // Two copies back up in the same second; neither touches the
        // other's folder, nor the one of a third still writing.
        std::thread other(
            [&files, &root] { makeBackup(files.folders(), root, noon, BackupKind::Manual); });
        makeBackup(files.folders(), root, noon, BackupKind::Manual);
        other.join();
    } else if (situation == QStringLiteral("booked")) {
        bookWhileCopying = &files;
        made(0, BackupKind::Manual);
        QVERIFY(!bookWhileCopying);
    } else if (situation == QStringLiteral("killed")) {
        partialOfAnother(root, QStringLiteral("kucun-备份-2026-01-01-090000.1-1"), nullptr);
        partialOfAnother(root, QStringLiteral("kucun-备份-2026-01-02-090000.2-2"), &held);
        made(3, BackupKind::Manual);
    } else if (situation == QStringLiteral("full")) {
        stickRoot = root;
        made(0, BackupKind::Daily);
        // Room for three backups and a half.
        stickBytes = bytesUnder(root) * 7 / 2;
        for (int day = 1; day < 5; ++day) {
            QCOMPARE(makeKeptBackup(files.folders(), QDateTime(QDate(2026, 2, day), QTime()),
                                    BackupKind::Daily)
                         .outcome,
                     BackupOutcome::Done);
        }
        // Backups made by hand take the room of the automatic ones, then
        // the stick is full.
        for (int day = 10; day < 14; ++day) {
            const Outcome<BackupOutcome> last =
                makeKeptBackup(files.folders(), QDateTime(QDate(2026, 2, day), QTime()),
                               BackupKind::Manual)
                    .outcome;
            outcome = last == BackupOutcome::DiskFull ? QStringLiteral("DiskFull") : QString();
        }
        stickBytes = -1;
    }
    if (held >= 0) {
        ::close(held);
    }
    QCOMPARE((whatIsLeft(root, files.workDir()) + u' ' + outcome).trimmed(), left);
}

void BackupsTest::aRestoreHasTheBooksToItself()
{
    TestTables files;
    addSmallShop(files);
    bookIn(files, 5, QStringLiteral("备份前"));
    const QString backup =
        makeBackup(files.folders(), backupRoot(files), noon, BackupKind::Manual).folder;
    const auto start = [&files](QProcess &child, const QStringList &arguments) {
        child.setWorkingDirectory(files.workDir());
        child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        child.start(QCoreApplication::applicationFilePath(), arguments);
        QVERIFY(child.waitForStarted() && child.waitForReadyRead(20000));
    };
    const auto remarks = [&files] {
        QStringList all;
        const std::optional<LogMatches> log = movementsWithKeyword(files.folders(), QString());
        const std::optional<std::vector<MovementRecord>> rows =
            readMovements(files.folders(), log->ids);
        for (const MovementRecord &movement : *rows) {
            all << movement.remark;
        }
        return all;
    };
    // Another copy books in a loop: the restore changes nothing, and every
    // booking it reported stays.
    QProcess first;
    start(first,
          {QStringLiteral("--book"), files.workDir(), files.programDir(), QStringLiteral("甲")});
    ChangeNotifier changes;
    BooksInUse mine(files.workDir());
    QVERIFY(mine.tryShared());
    QCOMPARE(restoreBackup(files.folders(), backup, mine, noon, changes).outcome,
             RestoreOutcome::InUseElsewhere);
    QThread::msleep(100);
    first.kill();
    QVERIFY(first.waitForFinished(10000));
    const QStringList booked =
        QString::fromUtf8(first.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts);
    QVERIFY(booked.size() > 1);
    for (const QString &remark : booked) {
        QVERIFY2(remarks().contains(remark), qPrintable(remark));
    }
    // A restore killed between its renames while a copy starts: the copy
    // waits, finishes the restore, and books into the books restored.
    mine.release();
    QProcess restorer;
    start(restorer, {QStringLiteral("--restore-cut"), backup, files.workDir(), files.programDir()});
    QProcess second;
    second.setWorkingDirectory(files.workDir());
    second.start(
        QCoreApplication::applicationFilePath(),
        {QStringLiteral("--book"), files.workDir(), files.programDir(), QStringLiteral("乙")});
    QVERIFY(restorer.waitForFinished(20000));
    QCOMPARE(restorer.exitCode(), 3);
    QVERIFY(second.waitForReadyRead(20000));
    second.kill();
    QVERIFY(second.waitForFinished(10000));
    const QStringList now = remarks();
    QCOMPARE(now.filter(QStringLiteral("甲")), QStringList());
    const QStringList afterwards = now.filter(QStringLiteral("乙"));
    QVERIFY(!afterwards.isEmpty());
    QCOMPARE(now.mid(0, now.size() - afterwards.size()), QStringList{"备份前"});
    // Stock and log agree: 10 to start with, 5 in the backup, 1 a booking.
    QCOMPARE(books(files).section(u' ', 0, 0), QString::number(15 + afterwards.size()));
    QVERIFY(!QFileInfo::exists(QDir(files.workDir()).filePath(QStringLiteral(".恢复中"))));
}

namespace {

// A copy of the program on the books of these folders: starts as
// the window does, then books one in at a time until killed, printing each
// remark once it is booked.
int bookInALoop(const BookFolders &folders, const QString &mark)
{
    BooksInUse books(folders.data);
    recoverInterruptedWrites(folders, books);
    ChangeNotifier changes;
    for (int i = 0;; ++i) {
        const QString remark = mark + QString::number(i);
        if (book(folders,
                 {QStringLiteral("五金"), QStringLiteral("扳手"), QStringLiteral("8寸"),
                  MovementKind::In, 1, 1.0, QDate(2026, 12, 1), remark},
                 changes) == BookingOutcome::Booked) {
            std::printf("%s\n", remark.toUtf8().constData());
            std::fflush(stdout);
        }
        QThread::msleep(5);
    }
}

// A restore that says when it has the books alone, lingers before its
// renames and dies after the first.
int restoreCutShort(const QString &folder, const BookFolders &folders)
{
    renamesBeforeDeath = 1;
    BooksInUse books(folders.data);
    ChangeNotifier changes;
    restoreBackup(folders, folder, books, noon, changes, [](int step) {
        if (step == 0) {
            std::printf("alone\n");
            std::fflush(stdout);
        }
        if (step == 2) {
            QThread::msleep(500);
        }
    });
    return 0;
}

} // namespace

void BackupsTest::theStatusLineSaysWhenAndWhy_data()
{
    QTest::addColumn<QString>("failure");
    QTest::addColumn<bool>("onDataDisk");
    QTest::addColumn<QString>("text");
    const QString made = "上次备份：2026-12-09 08:05";
    QTest::newRow("made") << "" << false << made;
    QTest::newRow("on the books' disk")
        << "" << true << made + "　备份与数据在同一磁盘上，请在项目设置中改选U盘或其他磁盘";
    QTest::newRow("failed") << "U盘未插入" << true << made + "　自动备份失败：U盘未插入";
}

void BackupsTest::theStatusLineSaysWhenAndWhy()
{
    QFETCH(QString, failure);
    TestTables files;
    saveBackupFailure(files.folders(), "U盘已满"); // a backup made clears it
    saveLastBackup(files.folders(), QDateTime(QDate(2026, 12, 9), QTime(8, 5)), "f");
    if (!failure.isEmpty()) {
        saveBackupFailure(files.folders(), failure);
    }
    QFETCH(bool, onDataDisk);
    const BackupStatus status = backupStatus(readBackupSettings(files.folders()), onDataDisk);
    QTEST(status.text, "text");
    QCOMPARE(status.alarm, status.text.contains(u'　'));
}

namespace {

// Every record of the tables of a server book, ids and all.
QString serverRecords(const QString &conninfo, const QStringList &names)
{
    const auto server = pg::Connection::open(conninfo, nullptr);
    QStringList texts;
    for (const QString &table : names) {
        const pg::Result rows = server->exec(
            QStringLiteral("SELECT * FROM kucun.%1 ORDER BY id").arg(sql::quoteIdentifier(table)));
        texts << table + QString::number(rows.rowCount());
        for (int row = 0; row < rows.rowCount(); ++row) {
            for (int column = 0; column < rows.columnCount(); ++column) {
                texts << rows.textAt(row, column);
            }
        }
    }
    return texts.join(u',');
}

QString serverStatement(const QString &conninfo, const QString &statement)
{
    const pg::Result result = pg::Connection::open(conninfo, nullptr)->exec(statement);
    return !result.ok() ? result.error() : result.rowCount() ? result.textAt(0, 0) : QString();
}

} // namespace

void BackupsTest::aServerBookIsRestoredWholeOrNotAtAll_data()
{
    QTest::addColumn<QString>("damage");
    QTest::addColumn<QString>("problem");
    QTest::newRow("sound") << ""
                           << "";
    QTest::newRow("cut short") << "cut"
                               << "备份文件已损坏：kucun.dump";
    QTest::newRow("not an archive") << "foreign"
                                    << "备份文件无法打开（不是本程序的备份，或已损坏）：kucun.dump";
    QTest::newRow("a table left out") << "DROP TABLE kucun.明细金额"
                                      << "备份文件缺少数据表或字段：kucun.dump";
    QTest::newRow("a field left out") << "ALTER TABLE kucun.型号 DROP COLUMN 单位"
                                      << "备份文件缺少数据表或字段：kucun.dump";
    QTest::newRow("a file backup") << "files"
                                   << "这是数据文件的备份，不能恢复到数据库服务器上的账本";
}

void BackupsTest::aServerBookIsRestoredWholeOrNotAtAll()
{
    QFETCH(QString, damage);
    QFETCH(QString, problem);
    static int books = 0;
    if (!m_cluster) {
        m_cluster = std::make_unique<ServerCluster>();
        serverStatement(m_cluster->connectionString("postgres"), "CREATE ROLE clerk");
    }
    TestTables files;
    BookFolders folders = files.folders();
    folders.server = m_cluster->createBook(QStringLiteral("shop%1").arg(++books));
    QVERIFY2(!folders.server.isEmpty(), qPrintable(m_cluster->failure()));
    QVERIFY(!onDataDisk(backupRoot(files), folders));
    const Book shop(folders);
    ChangeNotifier changes;
    QVERIFY(addCategory(shop, "五金", changes).done() &&
            addItem(shop, "五金", "扳手", changes).done());
    for (const char *model : {"8寸", "10寸"}) {
        QVERIFY(addModel(shop, "五金", "扳手", {model, "把", "", 12.5}, changes).done());
    }
    bookIn(shop, 5, "备份前");
    // A clerk who may only read keeps that right through a restore.
    QCOMPARE(serverStatement(folders.server, "GRANT USAGE ON SCHEMA kucun TO clerk") +
                 serverStatement(folders.server, "GRANT SELECT ON kucun.型号 TO clerk"),
             QString());
    const QStringList data = QStringList{tables::品类, tables::名称, tables::型号, tables::明细} +
                             tables::ownTableNames();
    const QString before = serverRecords(folders.server, data);

    // Off the main thread, as the day's backup is made.
    BackupResult made;
    std::thread([&] { made = makeKeptBackup(folders, noon, BackupKind::Manual); }).join();
    QCOMPARE(made.outcome, BackupOutcome::Done);
    const BackupInfo listed = listBackups(backupRoot(files)).constFirst();
    QCOMPARE(QList<double>({double(listed.models), double(listed.movements), listed.totalStock}),
             QList<double>({2, 1, 5}));
    const QString dump = QDir(made.folder).filePath("kucun.dump");
    if (damage == "cut") {
        QFile file(dump);
        QVERIFY(file.resize(file.size() - 100));
    } else if (damage == "foreign") {
        QFile file(dump);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write("PGDMP 库存") > 0);
    } else if (damage == "files") {
        QVERIFY(QFile::remove(dump));
        QFile(QDir(made.folder).filePath("明细.edb")).open(QIODevice::WriteOnly);
    } else if (!damage.isEmpty()) {
        // The archive of another book of the same look.
        BookFolders other = folders;
        other.server = m_cluster->createBook(QStringLiteral("other%1").arg(books));
        QCOMPARE(serverStatement(other.server, damage), QString());
        made = makeBackup(other, files.workDir(), noon, BackupKind::Manual);
    }

    bookIn(shop, 7, "备份后");
    QCOMPARE(deleteModel(
                 shop, "五金", "扳手", "10寸", [] { return true; }, changes),
             CatalogueOutcome::Done);
    QCOMPARE(savePasswordSettings(shop, {"新", true, false, false}), SettingsOutcome::Done);
    const QString changed = serverRecords(folders.server, data);
    QVERIFY(changed != before);
    // The check reads the archive's contents; the restore finds the rest.
    const QString found = checkBackup(folders, made.folder).problem;
    BooksInUse held(files.workDir());
    const RestoreResult restored = restoreBackup(folders, made.folder, held, noon, changes);
    QCOMPARE(found.isEmpty() ? restored.problem : found, problem);
    if (!problem.isEmpty()) {
        QCOMPARE(serverRecords(folders.server, data), changed);
        return;
    }
    QCOMPARE(restored.outcome, RestoreOutcome::Done);
    QCOMPARE(serverRecords(folders.server, data), before);
    QCOMPARE(readSettings(shop)->passwords.password, "新");
    QCOMPARE(serverStatement(folders.server, "SELECT has_table_privilege('clerk', 'kucun.型号', "
                                             "'SELECT')"),
             "t");
    // Ids are not handed out again after a restore.
    bookIn(shop, 1, "恢复后");
    QCOMPARE(movementsWithKeyword(shop, "恢复后")->ids, QList<qint64>{3});

    QCOMPARE(factoryReset(shop), SettingsOutcome::Done);
    QCOMPARE(serverRecords(folders.server, data + QStringList{tables::设置}),
             "品类0,名称0,型号0,明细0,型号资料0,明细金额0,设置1,2,,,,,,,,,");
}

int main(int argc, char *argv[])
{
    QCoreApplication application(argc, argv);
    const auto folders = [argv](int at) {
        return bookFoldersAt(QString::fromLocal8Bit(argv[at]),
                             QString::fromLocal8Bit(argv[at + 1]));
    };
    if (argc == 5 && qstrcmp(argv[1], "--book") == 0) {
        return bookInALoop(folders(2), QString::fromUtf8(argv[4]));
    }
    if (argc == 5 && qstrcmp(argv[1], "--restore-cut") == 0) {
        return restoreCutShort(QString::fromLocal8Bit(argv[2]), folders(3));
    }
    BackupsTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_backups.moc"
