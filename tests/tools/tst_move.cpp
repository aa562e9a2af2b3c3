#include "app/reports/Reports.h"
#include "book/sheets/SheetFile.h"
#include "helpers/ServerCluster.h"
#include "helpers/WindowTest.h"
#include "store/Table.h"
#include "store/TableSchema.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTest>

using namespace kucun;
using namespace kucun::test;

class MoveTest : public QObject
{
    Q_OBJECT

private slots:
    void aBookGoesToTheServerAndBackUnchanged();
    void initMakesTheDemoBookOnTheServer();

private:
    ServerCluster m_cluster;
};

namespace {

struct Run
{
    int exitCode = -1;
    QString out;
    QString err;
};

Run run(const char *program, const QStringList &arguments)
{
    QProcess process;
    process.start(qEnvironmentVariable(program), arguments);
    process.waitForFinished(120000);
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}

// Every record of every table of a book, its id and its fields exactly.
QStringList records(const Book &book)
{
    QStringList all;
    QStringList names = tables::allTableNames() + tables::ownTableNames();
    for (const QString &name : names) {
        Table table;
        all << name + (book.open(table, name) ? QString() : QStringLiteral(" 打不开"));
        const FieldList &fields = tables::fieldsOf(name);
        const bool read = table.forEachMatching(RecordFilter::all(), [&](const Record &record) {
            QStringList line{QString::number(record.rowId())};
            for (const FieldDefinition &field : fields) {
                const FieldKind kind = field.kind;
                line << (record.isAbsentAt(table.schema().indexOf(field.name)) ? QString("无")
                         : kind == FieldKind::Text     ? record.text(field.name)
                         : kind == FieldKind::DateTime ? record.dateTime(field.name).toString()
                         : kind == FieldKind::Logical
                             ? QString::number(record.logical(field.name))
                             : QString::number(record.number(field.name), 'g', 17));
            }
            all << line.join(u'|');
        });
        all << (read ? QString() : name + " 读不完");
    }
    return all;
}

// The export of every report of the window, the category report showing the first category.
QList<QByteArray> reportExports(const BookFolders &folders)
{
    ScriptedDialogs dialogs;
    const QTemporaryDir out;
    const auto window = startMainWindow(dialogs, folders, out.path());
    showWindow(*window);
    auto *categories = control<QComboBox>(*window, QStringLiteral("组合框1"));
    categories->setCurrentIndex(0);
    emit categories->activated(0);
    QList<QByteArray> exports;
    for (const ReportDescription &report : reportDescriptions()) {
        clickButton(*window, report.exportName);
        QFile file(spreadsheetPath(out.path()));
        exports << (file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray());
    }
    return exports;
}

} // namespace

void MoveTest::aBookGoesToTheServerAndBackUnchanged()
{
    TestTables original, back;
    QCOMPARE(run("KUCUN_INIT", {"--demo", original.workDir(), original.programDir()}).exitCode, 0);
    // Ids with gaps, prices of this month's last movements by their ids, fractions, absent
    // values and texts with the characters a copy must carry as they are.
    Table log;
    QVERIFY(Book(original).open(log, tables::明细));
    QVERIFY(log.removeMatching(tables::明细, RecordFilter::idsIn({2, 7})));
    QVERIFY(log.goToPosition(log.recordCount()));
    const qint64 last = log.current().rowId();
    log.close();
    original.add(tables::型号, {"五金工具", "扳手", "a\tb\\c\nd\r\\N", "把", 0.1 + 0.2, "'x'"});
    original.add(tables::型号资料,
                 {"五金工具", "扳手", "8寸", "690\\123", 12.3, 1.0 / 3, {}, 1e3, 2e3});
    original.add(tables::明细金额, {last - 1, 2.675, 1e-300});
    original.add(tables::明细金额, {last, 0.1, {}});
    const QStringList before = records(original);

    QVERIFY2(m_cluster.createDatabase("moved"), qPrintable(m_cluster.failure()));
    BookFolders server;
    server.server = m_cluster.connectionString("moved");
    const QStringList toServer{original.workDir(), original.programDir(), "--to-server",
                               server.server};
    const Run moved = run("KUCUN_MOVE", toServer);
    QVERIFY2(moved.exitCode == 0, qPrintable(moved.err));
    const QRegularExpression counts("明细金额：2 条 → 2 条\n库存合计：(\\S+) → \\1\n");
    QVERIFY2(moved.out.contains(counts), qPrintable(moved.out));
    QCOMPARE(records(Book(server)), before);

    const Run movedBack =
        run("KUCUN_MOVE", {"--from-server", server.server, back.workDir(), back.programDir()});
    QVERIFY2(movedBack.exitCode == 0, qPrintable(movedBack.err));
    QCOMPARE(records(back), before);
    QCOMPARE(QDir(back.workDir()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
             QDir(original.workDir()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot));
    const QList<QByteArray> exports = reportExports(original.folders());
    QVERIFY(!exports.contains(QByteArray()));
    QCOMPARE(reportExports(back.folders()), exports);

    // A database with a book and a folder with table files are never written over.
    const Run again = run("KUCUN_MOVE", toServer);
    QCOMPARE(again.exitCode, 1);
    QVERIFY2(again.err.startsWith("数据库中已有账本，未做任何改动："), qPrintable(again.err));
    QCOMPARE(records(Book(server)), before);
    const Run over =
        run("KUCUN_MOVE", {"--from-server", server.server, back.workDir(), back.programDir()});
    QCOMPARE(over.exitCode, 1);
    QVERIFY2(over.err.startsWith("表文件已存在，未做任何改动："), qPrintable(over.err));
}

void MoveTest::initMakesTheDemoBookOnTheServer()
{
    QVERIFY2(m_cluster.createDatabase("demo"), qPrintable(m_cluster.failure()));
    BookFolders server;
    server.server = m_cluster.connectionString("demo");
    const Run made = run("KUCUN_INIT", {"--demo", "--server", server.server});
    QVERIFY2(made.exitCode == 0, qPrintable(made.err));
    const TestTables files;
    QCOMPARE(run("KUCUN_INIT", {"--demo", files.workDir(), files.programDir()}).exitCode, 0);
    QCOMPARE(records(Book(server)), records(files));
}

QTEST_MAIN(MoveTest)
#include "tst_move.moc"
