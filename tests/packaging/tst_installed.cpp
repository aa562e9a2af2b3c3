#include <QDir>
#include <QFile>
#include <QHash>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

// The program as `cmake --install` lays it out, started offscreen as a user
// would start it from the menu, with an empty home folder.
class InstalledTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void startsWhereItsFilesAre_data();
    void startsWhereItsFilesAre();
    void aBookWithoutItsSettingsFileStaysLocked_data();
    void aBookWithoutItsSettingsFileStaysLocked();
    void aPortableCopyKeepsItsFilesBesideIt();

private:
    QTemporaryDir m_root; // the DESTDIR
    QString m_program;
};

namespace {

const QString mainWindowShown = QStringLiteral("window\t库存管理系统\ticon");
const QString lockedBox =
    QStringLiteral("message\t本程序已禁止使用\t密码错误次数过多，本程序已停止使用！\ticon");
const QStringList dataTables{QStringLiteral("品类.edb"), QStringLiteral("名称.edb"),
                             QStringLiteral("型号.edb"), QStringLiteral("明细.edb")};
const QString settingsFile = QStringLiteral("设置.edb");
// Made beside the data tables whenever a book opens.
const QStringList ownTables{QStringLiteral("型号资料.edb"), QStringLiteral("明细金额.edb")};

// One user's start of the program: an empty home folder, an empty working
// directory and, where a row asks, KUCUN_DATA and KUCUN_PROGRAM under the home.
struct Start
{
    QTemporaryDir home;
    QTemporaryDir work;
    QString dataOverride;
    QString programOverride;

    QString userData() const
    {
        return QDir(home.path()).filePath(QStringLiteral(".local/share/kucun"));
    }

    // The lines the program prints of its windows once started.
    QStringList run(const QString &program) const
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const char *name :
             {"XDG_DATA_HOME", "XDG_CONFIG_HOME", "KUCUN_DATA", "KUCUN_PROGRAM"}) {
            environment.remove(QString::fromLatin1(name));
        }
        environment.insert(QStringLiteral("HOME"), home.path());
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        environment.insert(QStringLiteral("KUCUN_REPORT_WINDOWS"), QStringLiteral("1"));
        if (!dataOverride.isEmpty()) {
            environment.insert(QStringLiteral("KUCUN_DATA"), dataOverride);
        }
        if (!programOverride.isEmpty()) {
            environment.insert(QStringLiteral("KUCUN_PROGRAM"), programOverride);
        }
        QProcess process;
        process.setProcessEnvironment(environment);
        process.setWorkingDirectory(work.path());
        process.start(program, {});
        if (!process.waitForFinished(60000)) {
            process.kill();
            process.waitForFinished();
            return {QStringLiteral("no answer")};
        }
        QStringList lines =
            QString::fromUtf8(process.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts);
        if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0) {
            lines << QStringLiteral("exit %1").arg(process.exitCode());
        }
        return lines;
    }
};

// The table files in a folder, sorted.
QStringList tableFiles(const QString &folder)
{
    return QDir(folder).entryList({QStringLiteral("*.edb")}, QDir::Files, QDir::Name);
}

QStringList sorted(QStringList names)
{
    names.sort();
    return names;
}

QByteArray contentOf(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

void InstalledTest::initTestCase()
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("DESTDIR"), m_root.path());
    QProcess install;
    install.setProcessEnvironment(environment);
    install.start(qEnvironmentVariable("KUCUN_CMAKE"),
                  {QStringLiteral("--install"), qEnvironmentVariable("KUCUN_BUILD_DIR"),
                   QStringLiteral("--prefix"), QStringLiteral("/usr")});
    QVERIFY(install.waitForFinished(120000));
    QVERIFY2(install.exitCode() == 0, install.readAllStandardError().constData());
    m_program = QDir(m_root.path()).filePath(QStringLiteral("usr/bin/kucun"));
    QVERIFY(QFileInfo(m_program).isExecutable());
}

void InstalledTest::startsWhereItsFilesAre_data()
{
    QTest::addColumn<bool>("overrides");
    QTest::newRow("the user's data folder") << false;
    QTest::newRow("KUCUN_DATA and KUCUN_PROGRAM") << true;
}

void InstalledTest::startsWhereItsFilesAre()
{
    QFETCH(bool, overrides);
    Start start;
    const QDir home(start.home.path());
    if (overrides) {
        start.dataOverride = home.filePath(QStringLiteral("tables"));
        start.programOverride = home.filePath(QStringLiteral("settings"));
    }
    QCOMPARE(start.run(m_program), QStringList{mainWindowShown});

    const QString dataDir = overrides ? start.dataOverride : start.userData();
    const QString programDir = overrides ? start.programOverride : start.userData();
    const QStringList expected =
        sorted(dataTables + ownTables +
               (dataDir == programDir ? QStringList{settingsFile} : QStringList()));
    QCOMPARE(tableFiles(dataDir), expected);
    QVERIFY(QFile::exists(QDir(programDir).filePath(settingsFile)));
    QCOMPARE(tableFiles(start.work.path()), QStringList());
    if (overrides) {
        QCOMPARE(tableFiles(start.userData()), QStringList());
    }

    // The second start opens the book the first one made.
    const QByteArray log = contentOf(QDir(dataDir).filePath(QStringLiteral("明细.edb")));
    QCOMPARE(start.run(m_program), QStringList{mainWindowShown});
    QCOMPARE(contentOf(QDir(dataDir).filePath(QStringLiteral("明细.edb"))), log);
}

void InstalledTest::aBookWithoutItsSettingsFileStaysLocked_data()
{
    QTest::addColumn<QStringList>("kept");
    QTest::newRow("settings file deleted after the first start") << dataTables;
    QTest::newRow("one table file left") << QStringList{QStringLiteral("明细.edb")};
}

void InstalledTest::aBookWithoutItsSettingsFileStaysLocked()
{
    QFETCH(QStringList, kept);
    Start start;
    QCOMPARE(start.run(m_program), QStringList{mainWindowShown});
    const QDir data(start.userData());
    QHash<QString, QByteArray> contents;
    for (const QString &name : tableFiles(data.path())) {
        if (kept.contains(name)) {
            contents.insert(name, contentOf(data.filePath(name)));
        } else {
            QVERIFY(QFile::remove(data.filePath(name)));
        }
    }

    for (int attempt = 0; attempt < 2; ++attempt) {
        QCOMPARE(start.run(m_program), sorted({lockedBox, mainWindowShown}));
    }
    QCOMPARE(tableFiles(data.path()), sorted(kept));
    for (auto it = contents.cbegin(); it != contents.cend(); ++it) {
        QCOMPARE(contentOf(data.filePath(it.key())), it.value());
    }
}

void InstalledTest::aPortableCopyKeepsItsFilesBesideIt()
{
    Start start;
    // What scripts/run does: the program copied into a folder with the marker.
    const QDir copy(QDir(start.home.path()).filePath(QStringLiteral("program")));
    QVERIFY(copy.mkpath(QStringLiteral(".")));
    QVERIFY(QFile::copy(m_program, copy.filePath(QStringLiteral("kucun"))));
    QFile marker(copy.filePath(QStringLiteral("portable")));
    QVERIFY(marker.open(QIODevice::WriteOnly));
    marker.close();

    // Without tables a portable copy makes none: it is locked, as it always was.
    QCOMPARE(start.run(copy.filePath(QStringLiteral("kucun"))),
             sorted({lockedBox, mainWindowShown}));
    QCOMPARE(tableFiles(start.work.path()) + tableFiles(copy.path()), QStringList());

    QProcess init;
    init.start(QDir(m_root.path()).filePath(QStringLiteral("usr/bin/kucun-init")),
               {start.work.path(), copy.path()});
    QVERIFY(init.waitForFinished(60000));
    QCOMPARE(init.exitCode(), 0);
    QCOMPARE(start.run(copy.filePath(QStringLiteral("kucun"))), QStringList{mainWindowShown});
    QCOMPARE(tableFiles(start.work.path()), sorted(dataTables + ownTables));
    QVERIFY(!QDir(start.userData()).exists());
}

QTEST_GUILESS_MAIN(InstalledTest)
#include "tst_installed.moc"
