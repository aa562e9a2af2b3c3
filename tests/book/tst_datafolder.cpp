#include "book/files/DataLocation.h"
#include "book/files/DemoData.h"
#include "book/files/NewBook.h"
#include "book/files/Welcome.h"
#include "book/settings/Settings.h"
#include "helpers/ShopData.h"
#include "helpers/TestTables.h"
#include "store/Table.h"
#include "store/TableSchema.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace kucun;

// Where the program keeps its files, and the empty book of a first start.
class DataFolderTest : public QObject
{
    Q_OBJECT

private slots:
    void choosesTheFolders_data();
    void choosesTheFolders();
    void aNewBookIsEmptyWithoutPassword();
    void aNewBookThatFailsLeavesNoFile();
    void aNewBookIsWelcomedOnce_data();
    void aNewBookIsWelcomedOnce();
};

namespace {

// Folders of one case: an executable's, a working directory and a user data
// folder, under one temporary folder.
struct Folders
{
    QTemporaryDir root;
    QString path(const QString &name) const { return QDir(root.path()).filePath(name); }
};

QString fileNames(const QString &folder)
{
    return QDir(folder).entryList(QDir::Files, QDir::Name).join(u' ');
}

} // namespace

void DataFolderTest::choosesTheFolders_data()
{
    QTest::addColumn<bool>("portable");
    QTest::addColumn<QString>("dataOverride");
    QTest::addColumn<QString>("programOverride");
    QTest::addColumn<QString>("dataDir");
    QTest::addColumn<QString>("programDir");
    QTest::addColumn<QString>("exportDir");

    QTest::newRow("installed") << false << ""
                               << ""
                               << "user"
                               << "user"
                               << "docs";
    QTest::newRow("portable") << true << ""
                              << ""
                              << "work"
                              << "bin"
                              << "bin";
    QTest::newRow("installed, KUCUN_DATA") << false << "d"
                                           << ""
                                           << "d"
                                           << "user"
                                           << "docs";
    QTest::newRow("installed, KUCUN_PROGRAM") << false << ""
                                              << "p"
                                              << "user"
                                              << "p"
                                              << "docs";
    QTest::newRow("portable, both") << true << "d"
                                    << "p"
                                    << "d"
                                    << "p"
                                    << "p";
}

void DataFolderTest::choosesTheFolders()
{
    QFETCH(bool, portable);
    QFETCH(QString, dataOverride);
    QFETCH(QString, programOverride);
    QFETCH(QString, dataDir);
    QFETCH(QString, programDir);
    QFETCH(QString, exportDir);

    Folders folders;
    QVERIFY(QDir(folders.root.path()).mkdir(QStringLiteral("bin")));
    if (portable) {
        QFile marker(folders.path(QStringLiteral("bin/portable")));
        QVERIFY(marker.open(QIODevice::WriteOnly));
    }
    const auto under = [&folders](const QString &name) {
        return name.isEmpty() ? name : folders.path(name);
    };
    const DataLocation location = chooseDataLocation(
        {folders.path(QStringLiteral("bin")), folders.path(QStringLiteral("work")),
         folders.path(QStringLiteral("user")), folders.path(QStringLiteral("docs")),
         under(dataOverride), under(programOverride)});
    QCOMPARE(location.folders.data, folders.path(dataDir));
    QCOMPARE(location.folders.program, folders.path(programDir));
    QCOMPARE(location.exportDir, folders.path(exportDir));
    QCOMPARE(location.installed, !portable);
}

void DataFolderTest::aNewBookIsEmptyWithoutPassword()
{
    Folders folders;
    const QString data = folders.root.path();
    const QString program = folders.path(QStringLiteral("program"));
    QVERIFY(QDir().mkpath(program));
    QVERIFY(hasNoTableFiles(bookFoldersAt(data, program)));

    const NewBookResult made = createNewBook(bookFoldersAt(data, program));
    QVERIFY2(made.done, qPrintable(made.error));
    QCOMPARE(made.created, tableFilePaths(bookFoldersAt(data, program))
                               << QDir(data).filePath(QStringLiteral("型号资料.edb"))
                               << QDir(data).filePath(QStringLiteral("明细金额.edb")));
    QCOMPARE(fileNames(data),
             QStringLiteral("名称.edb 品类.edb 型号.edb 型号资料.edb 明细.edb 明细金额.edb"));
    QCOMPARE(fileNames(program), QStringLiteral("设置.edb"));
    QVERIFY(!hasNoTableFiles(bookFoldersAt(data, program)));

    for (const QString &table : {tables::品类, tables::名称, tables::型号, tables::明细}) {
        Table file;
        QVERIFY(file.open(QDir(data).filePath(tables::fileNameOf(table)), tablePassword()));
        QCOMPARE(file.recordCount(), 0);
    }
    const ReadResult<Settings> settings = readSettings(bookFoldersAt(data, program));
    QVERIFY(settings);
    QVERIFY(!loginRequired(settings->passwords));
    QVERIFY(settings->passwords.password.isEmpty());
    // A readable look: lines tall enough to read, text and background apart.
    QVERIFY(settings->look.itemHeight >= 20);
    QVERIFY(settings->look.text != settings->look.background);
    QVERIFY(settings->look.selected != settings->look.background);
}

void DataFolderTest::aNewBookThatFailsLeavesNoFile()
{
    Folders folders;
    const QString data = folders.root.path();
    // The program's folder lies under a plain file: 设置.edb, made last, can't be made.
    QFile blocker(folders.path(QStringLiteral("blocker")));
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    const QString program = folders.path(QStringLiteral("blocker/program"));

    const NewBookResult made = createNewBook(bookFoldersAt(data, program));
    QVERIFY(!made.done);
    QVERIFY2(made.error.contains(tables::settingsPath(program)), qPrintable(made.error));
    // Four tables without a settings file would be the locked state.
    QCOMPARE(fileNames(data), QStringLiteral("blocker"));
    QVERIFY(hasNoTableFiles(bookFoldersAt(data, program)));
}

void DataFolderTest::aNewBookIsWelcomedOnce_data()
{
    QTest::addColumn<int>("marks"); // markWelcomeDue, then markWelcomed
    // Demo data goes only into an empty book, never among a shop's own.
    QTest::addColumn<bool>("shop");
    QTest::addColumn<bool>("due");
    QTest::newRow("made by the first start") << 1 << false << true;
    QTest::newRow("a shop copied over it") << 1 << true << false;
    QTest::newRow("welcomed before") << 2 << false << false;
}

void DataFolderTest::aNewBookIsWelcomedOnce()
{
    QFETCH(int, marks);
    QFETCH(bool, shop);
    test::TestTables files;
    shop ? test::addSmallShop(files) : files.createAll();
    for (const auto mark : {markWelcomeDue, markWelcomed}) {
        if (marks-- > 0) {
            mark(files.folders());
        }
    }
    QTEST(welcomeDue(files.folders()), "due");
    QString error;
    QCOMPARE(writeDemoData(files.workDir(), QDate(2026, 12, 9), &error), !shop);
    Table models;
    QVERIFY(models.open(files.path(tables::型号), tablePassword()));
    QCOMPARE(models.recordCount(), shop ? 5 : 60);
}

QTEST_GUILESS_MAIN(DataFolderTest)
#include "tst_datafolder.moc"
