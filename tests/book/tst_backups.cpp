#include "book/ChangeNotifier.h"
#include "book/backup/BackupSettings.h"
#include "book/backup/Backups.h"
#include "book/settings/Settings.h"
#include "book/stock/Booking.h"
#include "book/stock/LogQueries.h"
#include "helpers/ShopData.h"
#include "helpers/TestTables.h"
#include "store/SqlCipher.h"
#include "store/Table.h"
#include "store/TableSchema.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTest>

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
    void pruningKeepsTheNewest();
};

namespace {

const QDateTime noon(QDate(2026, 12, 1), QTime(18, 30));

// The stock of 五金/扳手/8寸 and the log's remarks.
QString books()
{
    Table models;
    if (!models.open(tables::型号, tablePassword()) ||
        !models.findTexts({{fields::型号, QStringLiteral("8寸")}})) {
        return QStringLiteral("no 型号");
    }
    QStringList remarks;
    const std::optional<LogMatches> log = movementsWithKeyword(QString());
    const std::optional<std::vector<MovementRecord>> rows = readMovements(log->ids);
    for (const MovementRecord &movement : *rows) {
        remarks << movement.remark;
    }
    return QStringLiteral("%1 %2").arg(models.number(fields::库存)).arg(remarks.join(u','));
}

void bookIn(int quantity, const QString &remark)
{
    ChangeNotifier changes;
    QCOMPARE(book({QStringLiteral("五金"), QStringLiteral("扳手"), QStringLiteral("8寸"),
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
    bookIn(5, QStringLiteral("备份前"));
    const QString before = books();
    QCOMPARE(readBackupSettings(files.programDir()).root, backupRoot(files));

    ChangeNotifier changes;
    QSignalSpy backups(&changes, &ChangeNotifier::backupsChanged);
    const BackupResult made = backUp(files.programDir(), noon, changes);
    QCOMPARE(made.outcome, BackupOutcome::Done);
    QCOMPARE(made.folder,
             QDir(backupRoot(files)).filePath(QStringLiteral("kucun-备份-2026-12-01-183000")));
    QCOMPARE(backups.count(), 1);
    QCOMPARE(readBackupSettings(files.programDir()).lastFolder, made.folder);
    // The copies keep their encryption.
    QFile copy(QDir(made.folder).filePath(QStringLiteral("明细.edb")));
    QVERIFY(copy.open(QIODevice::ReadOnly) && !copy.readAll().contains("SQLite format"));

    const QList<BackupInfo> listed = listBackups(backupRoot(files));
    QCOMPARE(listed.size(), 1);
    QCOMPARE(listed[0].takenAt, noon);
    QCOMPARE(listed[0].models, 5);
    QCOMPARE(listed[0].movements, 1);
    QCOMPARE(listed[0].totalStock, 27.0);
    // A backup copied by hand without its figures still shows its time.
    QVERIFY(QFile::remove(QDir(made.folder).filePath(QStringLiteral("备份信息.ini"))));
    QCOMPARE(listBackups(backupRoot(files)).constFirst().takenAt, noon);

    // Later bookings, and a new password, then the restore.
    bookIn(7, QStringLiteral("备份后"));
    QVERIFY(savePasswordSettings(files.programDir(), {QStringLiteral("新"), true, false, false}) ==
            SettingsOutcome::Done);
    QVERIFY(books() != before);
    // A table in use whose field went wrong is restored over as well.
    QVERIFY(QFile::remove(files.path(tables::品类)));
    QVERIFY(sql::Connection::create(files.path(tables::品类), tablePassword())
                ->exec(QStringLiteral("CREATE TABLE 品类(品类 INTEGER)")));
    const BackupCheck check = checkBackup(made.folder);
    QCOMPARE(check.problem, QString());
    QCOMPARE(check.info.movements, 1);
    QSignalSpy restored(&changes, &ChangeNotifier::movementsDeleted);
    QCOMPARE(restoreBackup(made.folder, changes), RestoreOutcome::Done);
    QCOMPARE(books(), before);
    Table categories;
    QVERIFY(categories.open(files.path(tables::品类), tablePassword()));
    QCOMPARE(restored.count(), 1);
    // 设置 is not restored: the password in force stays.
    QCOMPARE(readSettings(files.programDir())->passwords.password, QStringLiteral("新"));
    // Ids are not handed out again after a restore.
    bookIn(1, QStringLiteral("恢复后"));
    QCOMPARE(movementsWithKeyword(QStringLiteral("恢复后"))->ids, QList<qint64>{3});
}

void BackupsTest::anUnsoundBackupIsRefused_data()
{
    QTest::addColumn<QString>("damage");
    QTest::addColumn<QString>("problem");
    QTest::newRow("missing file") << "missing"
                                  << "备份中缺少文件：型号.edb";
    QTest::newRow("another key") << "key"
                                 << "备份文件无法打开（密钥不符或不是数据表）：型号.edb";
    QTest::newRow("damaged inside") << "damaged"
                                    << "备份文件已损坏：型号.edb";
    QTest::newRow("lacking a field") << "field"
                                     << "备份文件缺少数据表或字段：型号.edb";
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
    const QString folder = backUp(files.programDir(), noon, changes).folder;
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
    } else if (damage == QStringLiteral("field")) {
        auto made = sql::Connection::create(models, tablePassword());
        QVERIFY(made && made->exec(QStringLiteral("CREATE TABLE 型号 (品类 TEXT, 名称 TEXT)")));
    }
    const QString before = books();
    QCOMPARE(checkBackup(folder).problem, problem);
    // Even past the check, a restore from a file that is no sound table of
    // the shop changes nothing.
    if (damage != QStringLiteral("damaged")) {
        QVERIFY(restoreBackup(folder, changes) != RestoreOutcome::Done);
    }
    QCOMPARE(books(), before);
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
    QCOMPARE(makeBackup(files.programDir(), root, noon).outcome, BackupOutcome::FolderUnavailable);
    // A table that can't be opened: nothing is left behind.
    files.removeFile(tables::明细);
    const QString elsewhere = QDir(files.workDir()).filePath(QStringLiteral("备份"));
    QCOMPARE(makeBackup(files.programDir(), elsewhere, noon).outcome,
             BackupOutcome::TableUnavailable);
    QCOMPARE(QDir(elsewhere).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList());
}

void BackupsTest::pruningKeepsTheNewest()
{
    TestTables files;
    addSmallShop(files);
    ChangeNotifier changes;
    for (int day = 1; day <= 33; ++day) {
        QCOMPARE(makeBackup(files.programDir(), backupRoot(files),
                            QDateTime(QDate(2026, 10, day % 31 + 1), QTime(9, day)))
                     .outcome,
                 BackupOutcome::Done);
    }
    const QList<BackupInfo> all = listBackups(backupRoot(files));
    QCOMPARE(all.size(), 33);
    pruneBackups(backupRoot(files), 30);
    const QList<BackupInfo> kept = listBackups(backupRoot(files));
    QCOMPARE(kept.size(), 30);
    for (int i = 0; i < 30; ++i) {
        QCOMPARE(kept[i].folder, all[i].folder);
    }
    QVERIFY(kept.first().takenAt > kept.last().takenAt);
}

QTEST_GUILESS_MAIN(BackupsTest)
#include "tst_backups.moc"
