#include "book/settings/Settings.h"
#include "helpers/OutcomeText.h"
#include "helpers/SettingsFile.h"
#include "helpers/ShopData.h"
#include "helpers/TestTables.h"
#include "store/SqlCipher.h"
#include "store/Table.h"
#include "store/TableSchema.h"

#include <QDir>
#include <QFile>
#include <QTest>

using namespace kucun;
using namespace kucun::test;

// The settings record, the password rules and the factory reset, without a
// window.
class SettingsBookTest : public QObject
{
    Q_OBJECT

private slots:
    void readsTheRecordAsStored();
    void aMissingOrForeignFileIsNoSettings();
    void wrongTypesAreAWrongLayout_data();
    void wrongTypesAreAWrongLayout();
    void savesKeepTheOtherHalf();
    void passwordsCompareExactly_data();
    void passwordsCompareExactly();
    void whereThePasswordIsAsked();
    void theThirdWrongLoginDeletesTheSettingsFile();
    void aSettingsFileThatCantGoLocksNothing();
    void superPassword();
    void factoryResetEmptiesEveryTable();
    void factoryResetIsWholeOrNothing_data();
    void factoryResetIsWholeOrNothing();
};

namespace {

const QString columns = QStringLiteral(
    "密码 TEXT, 登陆密码 BOOLEAN, 日志密码 BOOLEAN, 库存密码 BOOLEAN, 菜单高度 INTEGER, "
    "滚动速度 INTEGER, 背景颜色 INTEGER, 文本颜色 INTEGER, 选中颜色 INTEGER");

qint64 recordsOf(const TestTables &files, const QString &table)
{
    Table file;
    return file.open(files.path(table), tablePassword()) ? file.recordCount() : -1;
}

// The stored values of the settings record, in field order, as SQL holds them.
QVariantList storedSettings(const TestTables &files)
{
    Table file;
    QVariantList values;
    if (!file.open(files.path(tables::设置), tablePassword())) {
        return values;
    }
    const bool whole = file.forEachMatching(RecordFilter::all(), [&values](const Record &record) {
        values << record.text(fields::密码) << record.logical(fields::登陆密码)
               << record.logical(fields::日志密码) << record.logical(fields::库存密码)
               << record.number(fields::菜单高度) << record.number(fields::滚动速度)
               << record.number(fields::背景颜色) << record.number(fields::文本颜色)
               << record.number(fields::选中颜色);
    });
    return whole ? values : QVariantList();
}

} // namespace

void SettingsBookTest::readsTheRecordAsStored()
{
    TestTables files;
    files.createAll();
    // The record kucun-init writes: every field empty.
    std::optional<Settings> empty = readSettings(files.folders());
    QVERIFY(empty);
    QCOMPARE(empty->passwords.password, QString());
    QVERIFY(!empty->passwords.atLogin && !empty->passwords.beforeLog &&
            !empty->passwords.beforeStock);
    QCOMPARE(empty->look.itemHeight, 0);
    QCOMPARE(empty->look.selected, 0);

    // Numbers of any numeric type, fractions cut toward zero, too big ones held at the limit.
    replaceSettingsFile(files,
                        QStringLiteral("密码 TEXT, 登陆密码 BOOLEAN, 日志密码 BOOL, 库存密码 "
                                       "BOOLEAN, 菜单高度 REAL, 滚动速度 DOUBLE, 背景颜色 BIGINT, "
                                       "文本颜色 FLOAT, 选中颜色 SMALLINT"),
                        QStringLiteral("' Ab ', 1, 0, 1, 40.9, -2.9, 16711680, 1e12, 255"));
    const std::optional<Settings> read = readSettings(files.folders());
    QVERIFY(read);
    QCOMPARE(read->passwords.password, QStringLiteral(" Ab "));
    QVERIFY(read->passwords.atLogin);
    QVERIFY(!read->passwords.beforeLog);
    QVERIFY(read->passwords.beforeStock);
    QCOMPARE(read->look.itemHeight, 40);
    QCOMPARE(read->look.scrollSpeed, -2);
    QCOMPARE(read->look.background, 0xFF0000);
    QCOMPARE(read->look.text, std::numeric_limits<qint32>::max());
    QCOMPARE(read->look.selected, 0xFF);

    // A table with no record reads as empty settings.
    replaceSettingsFile(files, columns, QString());
    QCOMPARE(readSettings(files.folders())->passwords.password, QString());
}

void SettingsBookTest::aMissingOrForeignFileIsNoSettings()
{
    TestTables files;
    QVERIFY(!readSettings(files.folders()));
    files.create(tables::品类);
    // A table file of another table under the settings file's name.
    QVERIFY(QFile::copy(files.path(tables::品类), files.path(tables::设置)));
    QVERIFY(!readSettings(files.folders()));
    QFile::remove(files.path(tables::设置));
    // Not a table file at all.
    QFile junk(files.path(tables::设置));
    QVERIFY(junk.open(QIODevice::WriteOnly));
    junk.write("not a database, just some bytes of text");
    junk.close();
    QVERIFY(!readSettings(files.folders()));
}

void SettingsBookTest::wrongTypesAreAWrongLayout_data()
{
    QTest::addColumn<QString>("columns");
    QTest::addColumn<QString>("values");
    QTest::addColumn<QString>("field"); // the field the owner is told of
    const auto with = [](const QString &from, const QString &to) {
        return QString(columns).replace(from, to);
    };
    QTest::newRow("password a number")
        << with(QStringLiteral("密码 TEXT"), QStringLiteral("密码 INTEGER"))
        << QStringLiteral("123, 1, 0, 0, 0, 0, 0, 0, 0") << "密码";
    QTest::newRow("login flag a text")
        << with(QStringLiteral("登陆密码 BOOLEAN"), QStringLiteral("登陆密码 TEXT"))
        << QStringLiteral("'abc', 'yes', 0, 0, 0, 0, 0, 0, 0") << "登陆密码";
    QTest::newRow("log flag a number")
        << with(QStringLiteral("日志密码 BOOLEAN"), QStringLiteral("日志密码 INTEGER"))
        << QStringLiteral("'abc', 1, 1, 0, 0, 0, 0, 0, 0") << "日志密码";
    QTest::newRow("stock flag a date")
        << with(QStringLiteral("库存密码 BOOLEAN"), QStringLiteral("库存密码 DATETIME"))
        << QStringLiteral("'abc', 1, 1, '2024-01-01', 0, 0, 0, 0, 0") << "库存密码";
    QTest::newRow("colour a text")
        << with(QStringLiteral("选中颜色 INTEGER"), QStringLiteral("选中颜色 TEXT"))
        << QStringLiteral("'abc', 1, 1, 0, 0, 0, 0, 0, 'red'") << "选中颜色";
    QTest::newRow("no password field") << with(QStringLiteral("密码 TEXT, "), QString())
                                       << QStringLiteral("1, 1, 0, 0, 0, 0, 0, 0") << "密码";
    // The types are those of the fields: an empty table is found out too.
    QTest::newRow("password a number, no record")
        << with(QStringLiteral("密码 TEXT"), QStringLiteral("密码 INTEGER")) << QString() << "密码";
}

void SettingsBookTest::wrongTypesAreAWrongLayout()
{
    QFETCH(QString, columns);
    QFETCH(QString, values);
    QFETCH(QString, field);
    TestTables files;
    replaceSettingsFile(files, columns, values);
    const StoreFault fault = readSettings(files.folders()).fault();
    QCOMPARE(fault, StoreFault::WrongLayout);
    QCOMPARE(fault.table(), tables::设置);
    QCOMPARE(fault.field(), field);
    QCOMPARE(saveMenuLook(files.folders(), {}), StoreFault::WrongLayout);
}

void SettingsBookTest::savesKeepTheOtherHalf()
{
    TestTables files;
    QCOMPARE(savePasswordSettings(files.folders(), {QStringLiteral("x"), true, true, true}),
             StoreFault::Unavailable);
    QCOMPARE(saveMenuLook(files.folders(), {}), StoreFault::Unavailable);
    files.createAll();

    QCOMPARE(saveMenuLook(files.folders(), {40, 200, 0x563412, 0xFFFFFF, 0x0000FF}),
             SettingsOutcome::Done);
    QCOMPARE(storedSettings(files),
             (QVariantList{QString(), false, false, false, 40.0, 200.0, double(0x563412),
                           double(0xFFFFFF), double(0x0000FF)}));
    QCOMPARE(savePasswordSettings(files.folders(), {QStringLiteral(" p w "), true, false, true}),
             SettingsOutcome::Done);
    QCOMPARE(storedSettings(files),
             (QVariantList{QStringLiteral(" p w "), true, false, true, 40.0, 200.0,
                           double(0x563412), double(0xFFFFFF), double(0x0000FF)}));
    QCOMPARE(saveMenuLook(files.folders(), {15, 30, 0, 0, 0}), SettingsOutcome::Done);
    QCOMPARE(storedSettings(files),
             (QVariantList{QStringLiteral(" p w "), true, false, true, 15.0, 30.0, 0.0, 0.0, 0.0}));
    QCOMPARE(savePasswordSettings(files.folders(), {QString(), false, true, false}),
             SettingsOutcome::Done);
    QCOMPARE(storedSettings(files),
             (QVariantList{QString(), false, true, false, 15.0, 30.0, 0.0, 0.0, 0.0}));

    // A table without its record has nothing to change.
    replaceSettingsFile(files, columns, QString());
    QCOMPARE(saveMenuLook(files.folders(), {}), StoreFault::WriteFailed);
    QCOMPARE(recordsOf(files, tables::设置), 0);
}

void SettingsBookTest::passwordsCompareExactly_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("password");
    QTest::addColumn<bool>("matches");
    QTest::newRow("same") << QStringLiteral("Abc1") << QStringLiteral("Abc1") << true;
    QTest::newRow("trailing space") << QStringLiteral("Abc1 ") << QStringLiteral("Abc1") << false;
    QTest::newRow("leading space") << QStringLiteral(" Abc1") << QStringLiteral("Abc1") << false;
    QTest::newRow("letter case") << QStringLiteral("abc1") << QStringLiteral("Abc1") << false;
    QTest::newRow("stored spaces") << QStringLiteral(" 密码 ") << QStringLiteral(" 密码 ") << true;
    QTest::newRow("full-width") << QStringLiteral("Ａbc1") << QStringLiteral("Abc1") << false;
    QTest::newRow("empty against empty") << QString() << QString() << true;
    QTest::newRow("empty against a password") << QString() << QStringLiteral("a") << false;
}

void SettingsBookTest::passwordsCompareExactly()
{
    QFETCH(QString, typed);
    QFETCH(QString, password);
    QFETCH(bool, matches);
    QCOMPARE(passwordMatches(typed, password), matches);
}

void SettingsBookTest::whereThePasswordIsAsked()
{
    const PasswordSettings none;
    QVERIFY(!loginRequired(none));
    QVERIFY(!loginRequired({QString(), true, true, true}));
    QVERIFY(!loginRequired({QStringLiteral("a"), false, true, true}));
    QVERIFY(loginRequired({QStringLiteral("a"), true, false, false}));

    const auto asked = [](const PasswordSettings &settings) {
        QList<bool> pages;
        for (int page = 0; page < 4; ++page) {
            pages << pageAsksPassword(page, settings);
        }
        return pages;
    };
    QCOMPARE(asked(none), (QList<bool>{false, false, false, false}));
    QCOMPARE(asked({QStringLiteral("a"), false, false, false}),
             (QList<bool>{false, false, false, true}));
    // Pages 1 and 2 ask on their flag alone, also with no password.
    QCOMPARE(asked({QString(), true, true, false}), (QList<bool>{false, true, false, false}));
    QCOMPARE(asked({QString(), false, false, true}), (QList<bool>{false, false, true, false}));
    QCOMPARE(asked({QStringLiteral("a"), true, true, true}),
             (QList<bool>{false, true, true, true}));
}

void SettingsBookTest::theThirdWrongLoginDeletesTheSettingsFile()
{
    TestTables files;
    files.createAll();
    LoginLockOut lockOut(files.folders());
    QCOMPARE(lockOut.failures(), 0);
    QVERIFY(!lockOut.countFailure());
    QVERIFY(!lockOut.countFailure());
    QVERIFY(QFile::exists(files.path(tables::设置)));
    QCOMPARE(lockOut.failures(), 2);
    QVERIFY(lockOut.countFailure());
    QCOMPARE(lockOut.failures(), 3);
    QVERIFY(!QFile::exists(files.path(tables::设置)));
    QVERIFY(!readSettings(files.folders()));
    // The tables of the working directory stay.
    QCOMPARE(recordsOf(files, tables::品类), 0);

    // The count belongs to one run: a new one starts again at 0.
    files.create(tables::设置);
    LoginLockOut nextRun(files.folders());
    QVERIFY(!nextRun.countFailure());
    QVERIFY(QFile::exists(files.path(tables::设置)));
}

void SettingsBookTest::aSettingsFileThatCantGoLocksNothing()
{
    TestTables files;
    // A folder in the settings file's place can't be deleted as a file.
    QVERIFY(QDir(files.programDir()).mkdir(tables::fileNameOf(tables::设置)));
    LoginLockOut lockOut(files.folders());
    for (int failure = 1; failure <= 5; ++failure) {
        QVERIFY(!lockOut.countFailure());
        QCOMPARE(lockOut.failures(), failure);
    }
    QVERIFY(QFileInfo(files.path(tables::设置)).isDir());
}

void SettingsBookTest::superPassword()
{
    QVERIFY(isSuperPassword(QStringLiteral("kx7Tq2mWv9pLr4")));
    QVERIFY(!isSuperPassword(QStringLiteral("kx7Tq2mWv9pLr4 ")));
    QVERIFY(!isSuperPassword(QStringLiteral("KX7TQ2MWV9PLR4")));
    QVERIFY(!isSuperPassword(QStringLiteral("数据清空不可恢复，请谨慎！")));
    QVERIFY(!isSuperPassword(QString()));
}

void SettingsBookTest::factoryResetEmptiesEveryTable()
{
    TestTables files;
    addSmallShop(files);
    addMovement(files, QDate(2024, 5, 3), QStringLiteral("五金"), QStringLiteral("扳手"),
                QStringLiteral("8寸"), 1, 0, QStringLiteral("把"), QString());
    QCOMPARE(savePasswordSettings(files.folders(), {QStringLiteral("pw"), true, true, true}),
             SettingsOutcome::Done);
    QCOMPARE(saveMenuLook(files.folders(), {40, 200, 1, 2, 3}), SettingsOutcome::Done);
    files.add(tables::设置, {QStringLiteral("second")});

    QCOMPARE(factoryReset(files.folders()), SettingsOutcome::Done);
    for (const QString &table : {tables::品类, tables::名称, tables::型号, tables::明细}) {
        QCOMPARE(recordsOf(files, table), 0);
    }
    // One record of empty fields; NULLs read as the empty values.
    QCOMPARE(recordsOf(files, tables::设置), 1);
    QCOMPARE(storedSettings(files),
             (QVariantList{QString(), false, false, false, 0.0, 0.0, 0.0, 0.0, 0.0}));
    const std::optional<Settings> read = readSettings(files.folders());
    QVERIFY(read);
    QCOMPARE(read->look.itemHeight, 0);
    QVERIFY(!loginRequired(read->passwords));
}

void SettingsBookTest::factoryResetIsWholeOrNothing_data()
{
    QTest::addColumn<QString>("table");
    QTest::addColumn<QString>("fault");
    QTest::addColumn<StoreFault::Kind>("outcome");
    for (const QString &table : tables::allTableNames()) {
        QTest::addRow("%s missing", qPrintable(table))
            << table << QStringLiteral("missing") << StoreFault::Unavailable;
    }
    for (const QString &table : {tables::设置, tables::型号}) {
        QTest::addRow("%s refuses the write", qPrintable(table))
            << table << QStringLiteral("refuses") << StoreFault::WriteFailed;
    }
    QTest::newRow("明细 held by another program")
        << tables::明细 << QStringLiteral("held") << StoreFault::Busy;
}

void SettingsBookTest::factoryResetIsWholeOrNothing()
{
    QFETCH(QString, table);
    QFETCH(QString, fault);
    QFETCH(StoreFault::Kind, outcome);
    TestTables files;
    addSmallShop(files);
    addMovement(files, QDate(2024, 5, 3), QStringLiteral("五金"), QStringLiteral("扳手"),
                QStringLiteral("8寸"), 1, 0, QStringLiteral("把"), QString());
    QCOMPARE(savePasswordSettings(files.folders(), {QStringLiteral("pw"), true, true, true}),
             SettingsOutcome::Done);
    const auto everything = [&files] {
        QList<qint64> counts;
        for (const QString &name : tables::allTableNames()) {
            counts << (QFile::exists(files.path(name)) ? recordsOf(files, name) : -1);
        }
        return counts;
    };
    std::unique_ptr<sql::Connection> other;
    if (fault == QStringLiteral("missing")) {
        files.removeFile(table);
    } else {
        other = sql::Connection::openExisting(files.path(table), tablePassword());
        QVERIFY(other);
        QVERIFY(other->exec(fault == QStringLiteral("held")
                                ? QStringLiteral("BEGIN EXCLUSIVE")
                                : QStringLiteral("CREATE TRIGGER keep BEFORE DELETE ON %1 BEGIN "
                                                 "SELECT RAISE(ABORT, 'kept'); END")
                                      .arg(sql::quoteIdentifier(table))));
    }
    const QList<qint64> before = everything();
    QCOMPARE(factoryReset(files.folders()), outcome);
    QCOMPARE(everything(), before);
    other.reset();
    if (QFile::exists(files.path(tables::设置))) {
        QCOMPARE(readSettings(files.folders())->passwords.password, QStringLiteral("pw"));
    }
    // A reset never makes a file.
    QVERIFY(QFile::exists(files.path(table)) == (fault != QStringLiteral("missing")));
}

QTEST_GUILESS_MAIN(SettingsBookTest)
#include "tst_settingsbook.moc"
