#include "store/Table.h"
#include "store/TableSchema.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace kucun;

class InitTest : public QObject
{
    Q_OBJECT

private slots:
    void createsTheFiveTableFiles();
    void neverOverwritesATableFile();
    void demoDataMatchesTheStock();
};

namespace {

struct Run
{
    int exitCode = -1;
    QString out;
    QString err;
};

Run runInit(const QStringList &arguments)
{
    QProcess process;
    process.start(qEnvironmentVariable("KUCUN_INIT"), arguments);
    process.waitForFinished(60000);
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}

// Runs SQL on a table file with the sqlcipher shell, keyed as the format says.
QString shell(const QString &path, const QString &sql)
{
    QProcess process;
    process.start(QStringLiteral("sqlcipher"), {path});
    process.write("PRAGMA key='604213';\nPRAGMA kdf_iter=256;\n");
    process.write(sql.toUtf8() + "\n.quit\n");
    process.closeWriteChannel();
    process.waitForFinished(60000);
    return QString::fromUtf8(process.readAllStandardOutput()).trimmed();
}

// The menu look stored in the settings file of a program directory.
QString storedLook(const QTemporaryDir &program)
{
    return shell(
        QDir(program.path()).filePath(QStringLiteral("设置.edb")),
        QStringLiteral("SELECT 菜单高度, 滚动速度, 背景颜色, 文本颜色, 选中颜色 FROM 设置;"));
}

// 25 high, speed 100, white, black, blue RGB(0, 120, 215) as 0x00BBGGRR.
const QString readableLook = QStringLiteral("25|100|16777215|0|14120960");

} // namespace

void InitTest::createsTheFiveTableFiles()
{
    QTemporaryDir work, program;
    const Run run = runInit({work.path(), program.path()});
    QCOMPARE(run.exitCode, 0);

    const QDir workDir(work.path());
    QCOMPARE(shell(workDir.filePath(QStringLiteral("品类.edb")),
                   QStringLiteral("SELECT sql FROM sqlite_master;")),
             QStringLiteral("CREATE TABLE \"品类\" (\"品类\" TEXT)"));
    QCOMPARE(shell(workDir.filePath(QStringLiteral("名称.edb")),
                   QStringLiteral("SELECT sql FROM sqlite_master;")),
             QStringLiteral("CREATE TABLE \"名称\" (\"品类\" TEXT, \"名称\" TEXT)"));
    QCOMPARE(shell(workDir.filePath(QStringLiteral("型号.edb")),
                   QStringLiteral("SELECT sql FROM sqlite_master ORDER BY type DESC;")),
             QStringLiteral("CREATE TABLE \"型号\" (\"品类\" TEXT, \"名称\" TEXT, \"型号\" TEXT, "
                            "\"单位\" TEXT, \"库存\" REAL, \"备注\" TEXT)\n"
                            "CREATE INDEX \"型号_品类_名称\" ON \"型号\" (\"品类\", \"名称\")"));
    QCOMPARE(shell(workDir.filePath(QStringLiteral("明细.edb")),
                   QStringLiteral("SELECT type, name FROM sqlite_master ORDER BY type;")),
             QStringLiteral("index|明细_日期\nindex|明细_型号\ntable|明细\ntable|sqlite_sequence"));
    QCOMPARE(shell(workDir.filePath(QStringLiteral("明细.edb")),
                   QStringLiteral("SELECT sql FROM sqlite_master WHERE name = '明细';")),
             QStringLiteral("CREATE TABLE \"明细\" (\"id\" INTEGER PRIMARY KEY AUTOINCREMENT, "
                            "\"日期\" DATETIME, \"品类\" TEXT, \"名称\" TEXT, "
                            "\"型号\" TEXT, \"入库\" INTEGER, \"出库\" INTEGER, \"单位\" TEXT, "
                            "\"备注\" TEXT)"));

    const QString settings = QDir(program.path()).filePath(QStringLiteral("设置.edb"));
    QCOMPARE(shell(settings, QStringLiteral("SELECT sql FROM sqlite_master;")),
             QStringLiteral("CREATE TABLE \"设置\" (\"密码\" TEXT, \"登陆密码\" BOOLEAN, "
                            "\"日志密码\" BOOLEAN, \"库存密码\" BOOLEAN, \"菜单高度\" INTEGER, "
                            "\"滚动速度\" INTEGER, \"背景颜色\" INTEGER, \"文本颜色\" INTEGER, "
                            "\"选中颜色\" INTEGER)"));
    QCOMPARE(shell(settings, QStringLiteral("SELECT count(*), count(密码) FROM 设置;")),
             QStringLiteral("1|0"));
    QCOMPARE(storedLook(program), readableLook);
    QVERIFY(!QFile::exists(workDir.filePath(QStringLiteral("设置.edb"))));

    // Without the key the shell cannot read the file.
    QProcess plain;
    plain.start(QStringLiteral("sqlcipher"), {workDir.filePath(QStringLiteral("品类.edb")),
                                              QStringLiteral("SELECT count(*) FROM 品类;")});
    plain.waitForFinished(60000);
    QVERIFY(plain.exitCode() != 0 || !plain.readAllStandardError().isEmpty());
}

void InitTest::neverOverwritesATableFile()
{
    QTemporaryDir work, program;
    QVERIFY(runInit({work.path(), program.path()}).exitCode == 0);
    const QString category = QDir(work.path()).filePath(QStringLiteral("品类.edb"));
    shell(category, QStringLiteral("INSERT INTO 品类 VALUES ('五金');"));

    const Run again = runInit({QStringLiteral("--demo"), work.path(), program.path()});
    QVERIFY(again.exitCode != 0);
    QVERIFY2(again.err.contains(QStringLiteral("品类.edb")), qPrintable(again.err));
    QCOMPARE(shell(category, QStringLiteral("SELECT group_concat(品类) FROM 品类;")),
             QStringLiteral("五金"));

    // Only the settings file missing: still nothing is written anywhere.
    QTemporaryDir otherProgram;
    const Run partial = runInit({work.path(), otherProgram.path()});
    QVERIFY(partial.exitCode != 0);
    QVERIFY(!QFile::exists(QDir(otherProgram.path()).filePath(QStringLiteral("设置.edb"))));

    QVERIFY(runInit({}).exitCode != 0);
}

void InitTest::demoDataMatchesTheStock()
{
    QTemporaryDir work, program;
    const Run run = runInit({QStringLiteral("--demo"), work.path(), program.path()});
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(storedLook(program), readableLook);
    const QDir dir(work.path());
    QCOMPARE(shell(dir.filePath(QStringLiteral("品类.edb")),
                   QStringLiteral("SELECT count(*) FROM 品类;")),
             QStringLiteral("5"));
    QCOMPARE(shell(dir.filePath(QStringLiteral("名称.edb")),
                   QStringLiteral("SELECT count(*) FROM 名称;")),
             QStringLiteral("20"));

    // Sum the movements per model through the store and compare with 库存.
    QHash<QString, double> booked;
    Table log;
    QVERIFY(log.open(dir.filePath(QStringLiteral("明细.edb")), tablePassword()));
    QVERIFY(log.recordCount() > 60);
    QDate previous;
    int faults = 0;
    QVERIFY(log.forEachMatching(RecordFilter::all(), [&](const Record &r) {
        const QString key =
            r.text(fields::品类) + u'/' + r.text(fields::名称) + u'/' + r.text(fields::型号);
        booked[key] += r.number(fields::入库) - r.number(fields::出库);
        // Exactly one of in and out is set, and the log is in date order.
        const bool oneKind = (r.number(fields::入库) > 0) != (r.number(fields::出库) > 0);
        const bool inOrder = !previous.isValid() || previous <= r.dateTime(fields::日期).date();
        faults += oneKind && inOrder ? 0 : 1;
        previous = r.dateTime(fields::日期).date();
    }));
    log.close();
    QCOMPARE(faults, 0);

    Table models;
    QVERIFY(models.open(dir.filePath(QStringLiteral("型号.edb")), tablePassword()));
    QCOMPARE(models.recordCount(), 60);
    int checked = 0;
    QVERIFY(models.forEachMatching(RecordFilter::all(), [&](const Record &r) {
        const QString key =
            r.text(fields::品类) + u'/' + r.text(fields::名称) + u'/' + r.text(fields::型号);
        if (booked.value(key) == r.number(fields::库存) && r.number(fields::库存) >= 0 &&
            !r.text(fields::单位).isEmpty()) {
            ++checked;
        }
    }));
    QCOMPARE(checked, 60);
}

QTEST_GUILESS_MAIN(InitTest)
#include "tst_init.moc"
