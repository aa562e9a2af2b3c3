#include "book/ChangeNotifier.h"
#include "book/backup/Backups.h"
#include "book/backup/BooksInUse.h"
#include "book/catalogue/CatalogueChanges.h"
#include "book/catalogue/CatalogueReads.h"
#include "book/files/Book.h"
#include "book/files/InterruptedWrites.h"
#include "book/stock/Booking.h"
#include "book/stock/LogQueries.h"
#include "book/stock/MovementDeletion.h"
#include "book/stocktake/Stocktake.h"
#include "helpers/OutcomeText.h"
#include "helpers/TestTables.h"
#include "store/SqlCipher.h"
#include "store/Table.h"
#include "store/TableSchema.h"

#include <QDirIterator>
#include <QFile>
#include <QProcess>
#include <QTest>
#include <QThread>
#include <random>
#include <sqlite3.h>
#include <unistd.h>

using namespace kucun;
using namespace kucun::test;

// A shop worker in a child process books, deletes log rows and changes the
// catalogue on real table files; the test kills it at random moments, or
// runs two at once, and then checks that nothing was lost or half-written.
class CrashTest : public QObject
{
    Q_OBJECT

private slots:
    void killedAtRandomMomentsLosesNothing();
    void twoCopiesAtOnceLoseNothing();
    void backupsTakenWhileBookingHoldWholeBooks();
    void aRestoreKilledLeavesOneSetOrTheOther();
    void aCommitCutShortThenAMovedFolderIsUndone_data();
    void aCommitCutShortThenAMovedFolderIsUndone();
    void noTextLiesInPlainBytes();
};

namespace {

// A remark that ties a stock-in to the stock-out that cancels it. Only such
// complete pairs are ever deleted from the log, so every model's stock
// still equals its logged balance afterwards.
const QString pairMark = QStringLiteral("对冲");

// The book a child process works on: the data folder and the program folder
// its arguments give at `at` and the one after.
BookFolders foldersFrom(char *argv[], int at)
{
    return bookFoldersAt(QString::fromLocal8Bit(argv[at]), QString::fromLocal8Bit(argv[at + 1]));
}

// The arguments that hand a child process the book's folders.
QStringList foldersAsArguments(const BookFolders &folders)
{
    return {folders.data, folders.program};
}

class Worker
{
public:
    Worker(BookFolders folders, quint32 seed) : m_folders(std::move(folders)), m_random(seed) {}

    // One step of the work; returns what went wrong, or nothing.
    QString step()
    {
        const std::optional<std::vector<ModelRecord>> models = readAllModels(m_folders);
        if (!models) {
            return QStringLiteral("型号 unreadable");
        }
        const int roll = pick(100);
        if (models->empty() || roll < 8) {
            return addModelUnderNewCategory();
        }
        const ModelRecord &model = (*models)[size_t(pick(int(models->size())))];
        if (roll < 50) {
            return booked(model, MovementKind::In, 1 + pick(20), QString());
        }
        if (roll < 75) {
            return booked(model, MovementKind::Out, 1 + pick(20), QString());
        }
        if (roll < 85) {
            const QString pair = pairMark + uniqueName();
            const qint32 quantity = 1 + pick(9);
            const QString in = booked(model, MovementKind::In, quantity, pair);
            return in.isEmpty() ? booked(model, MovementKind::Out, quantity, pair) : in;
        }
        if (roll < 93) {
            return deleteCompletePairs();
        }
        if (roll < 97) {
            return refused(deleteModel(
                m_folders, model.category, model.item, model.model, [] { return true; },
                m_changes));
        }
        if (roll < 99) {
            return refused(deleteItem(m_folders, model.category, model.item, m_changes));
        }
        const std::optional<QStringList> categories = readCategories(m_folders);
        if (!categories || categories->isEmpty()) {
            return QStringLiteral("品类 unreadable");
        }
        const int position = pick(int(categories->size()));
        return refused(
            deleteCategory(m_folders, position + 1, categories->at(position), m_changes));
    }

private:
    int pick(int below) { return int(m_random() % quint32(below)); }

    // Names no earlier run used, so a deleted model never comes back to
    // meet its old log rows.
    QString uniqueName() { return QString::number(quint64(m_random()) << 32 | m_random(), 36); }

    QString addModelUnderNewCategory()
    {
        const QString category = QStringLiteral("类") + uniqueName();
        const QString item = QStringLiteral("品") + uniqueName();
        if (const QString failed = refused(addCategory(m_folders, category, m_changes));
            !failed.isEmpty()) {
            return failed;
        }
        if (const QString failed = refused(addItem(m_folders, category, item, m_changes));
            !failed.isEmpty()) {
            return failed;
        }
        for (int models = 1 + pick(3); models > 0; --models) {
            const QString failed = refused(addModel(
                m_folders, category, item,
                {QStringLiteral("型") + uniqueName(), QStringLiteral("个"), {}}, m_changes));
            if (!failed.isEmpty()) {
                return failed;
            }
        }
        return {};
    }

    QString booked(const ModelRecord &model, MovementKind kind, qint32 quantity,
                   const QString &remark)
    {
        const Outcome<BookingOutcome> outcome =
            book(m_folders,
                 {model.category, model.item, model.model, kind, quantity, double(quantity),
                  QDate(2024, 1, 1 + pick(28)), remark},
                 m_changes);
        // Another copy may have deleted the model, taken its stock or held
        // the files longer than the busy timeout; those are refusals, not
        // faults. A table that does not open is one.
        if (outcome == StoreFault::Unavailable) {
            return QStringLiteral("booking outcome %1").arg(int(outcome.fault().kind()));
        }
        return {};
    }

    QString deleteCompletePairs()
    {
        const std::optional<LogMatches> marked = movementsWithKeyword(m_folders, pairMark);
        if (!marked) {
            return QStringLiteral("明细 unreadable");
        }
        const std::optional<std::vector<MovementRecord>> rows =
            readMovements(m_folders, marked->ids.mid(0, 40));
        if (!rows) {
            return QStringLiteral("明细 unreadable");
        }
        QHash<QString, QList<const MovementRecord *>> pairs;
        for (const MovementRecord &row : *rows) {
            pairs[row.remark].append(&row);
        }
        std::vector<MovementRecord> complete;
        for (const QList<const MovementRecord *> &pair : std::as_const(pairs)) {
            if (pair.size() == 2 && pair[0]->in == pair[1]->out && pair[0]->out == 0 &&
                pair[1]->in == 0) {
                complete.push_back(*pair[0]);
                complete.push_back(*pair[1]);
            }
        }
        const Outcome<DeletionOutcome> outcome =
            deleteMovements(m_folders, complete, m_changes).outcome;
        return outcome == StoreFault::Unavailable ? QStringLiteral("明细 unavailable") : QString();
    }

    static QString refused(Outcome<CatalogueOutcome> outcome)
    {
        return outcome == StoreFault::Unavailable
                   ? QStringLiteral("catalogue outcome %1").arg(int(outcome.fault().kind()))
                   : QString();
    }

    BookFolders m_folders;
    std::mt19937 m_random;
    ChangeNotifier m_changes;
};

// Works until killed (steps 0) or for so many steps; prints the first fault.
int runWorker(const BookFolders &folders, quint32 seed, int steps)
{
    Worker worker(folders, seed);
    for (int done = 0; steps == 0 || done < steps; ++done) {
        const QString fault = worker.step();
        if (!fault.isEmpty()) {
            std::fprintf(stderr, "step %d: %s\n", done, qPrintable(fault));
            return 1;
        }
    }
    return 0;
}

// A file system that ends the process at the first write to the file whose
// name ends so: a booking killed inside its commit, at a moment of the
// test's choosing.
namespace cut {

QByteArray fileName;
sqlite3_vfs *real = nullptr;

struct File
{
    sqlite3_file base;
    sqlite3_file *real;
    bool watched;
};

sqlite3_file *realOf(sqlite3_file *file)
{
    return reinterpret_cast<File *>(file)->real;
}

int write(sqlite3_file *file, const void *data, int amount, sqlite3_int64 offset)
{
    if (reinterpret_cast<File *>(file)->watched) {
        ::_exit(3);
    }
    return realOf(file)->pMethods->xWrite(realOf(file), data, amount, offset);
}

const sqlite3_io_methods methods = {
    1,
    [](sqlite3_file *f) { return realOf(f)->pMethods->xClose(realOf(f)); },
    [](sqlite3_file *f, void *d, int n, sqlite3_int64 o) {
        return realOf(f)->pMethods->xRead(realOf(f), d, n, o);
    },
    write,
    [](sqlite3_file *f, sqlite3_int64 n) { return realOf(f)->pMethods->xTruncate(realOf(f), n); },
    [](sqlite3_file *f, int flags) { return realOf(f)->pMethods->xSync(realOf(f), flags); },
    [](sqlite3_file *f, sqlite3_int64 *n) { return realOf(f)->pMethods->xFileSize(realOf(f), n); },
    [](sqlite3_file *f, int l) { return realOf(f)->pMethods->xLock(realOf(f), l); },
    [](sqlite3_file *f, int l) { return realOf(f)->pMethods->xUnlock(realOf(f), l); },
    [](sqlite3_file *f, int *r) { return realOf(f)->pMethods->xCheckReservedLock(realOf(f), r); },
    [](sqlite3_file *f, int op, void *a) {
        return realOf(f)->pMethods->xFileControl(realOf(f), op, a);
    },
    [](sqlite3_file *f) { return realOf(f)->pMethods->xSectorSize(realOf(f)); },
    [](sqlite3_file *f) { return realOf(f)->pMethods->xDeviceCharacteristics(realOf(f)); },
    nullptr,
    nullptr,
    nullptr,
    nullptr,
    nullptr,
    nullptr,
};

int open(sqlite3_vfs *, const char *name, sqlite3_file *file, int flags, int *outFlags)
{
    auto *wrapped = reinterpret_cast<File *>(file);
    wrapped->real = reinterpret_cast<sqlite3_file *>(wrapped + 1);
    // A super-journal's name ends in a random number.
    const QByteArray path(name ? name : "");
    wrapped->watched = fileName.endsWith("-mj") ? path.contains(fileName) : path.endsWith(fileName);
    const int opened = real->xOpen(real, name, wrapped->real, flags, outFlags);
    wrapped->base.pMethods = opened == SQLITE_OK ? &methods : nullptr;
    return opened;
}

void install(const QByteArray &endOfName)
{
    fileName = endOfName;
    real = sqlite3_vfs_find(nullptr);
    static sqlite3_vfs vfs = *real;
    vfs.zName = "cut";
    vfs.szOsFile = int(sizeof(File)) + real->szOsFile;
    vfs.xOpen = open;
    sqlite3_vfs_register(&vfs, 1);
}

} // namespace cut

// Books a stock-in of 100 with the file system that dies at the first write
// to the named file.
int bookCutShort(const BookFolders &folders, const QByteArray &endOfName)
{
    cut::install(endOfName);
    ChangeNotifier changes;
    book(folders,
         {QStringLiteral("五金"),
          QStringLiteral("扳手"),
          QStringLiteral("8寸"),
          MovementKind::In,
          100,
          100,
          QDate(2024, 5, 3),
          {}},
         changes);
    return 0; // never reached: the write ends the process
}

// Books a count of two models, 3 of 8寸 and 2 of 10寸 where none are, with
// the file system that dies at the first write to the named file.
int countCutShort(const BookFolders &folders, const QByteArray &endOfName)
{
    cut::install(endOfName);
    ChangeNotifier changes;
    ReadResult<CountSheet> sheet = loadCountSheet(folders, QString(), QDate(2024, 5, 3));
    if (!sheet || sheet->lines.size() != 2) {
        return 1;
    }
    sheet->lines[0].enter(3);
    sheet->lines[1].enter(2);
    bookCount(folders, *sheet, changes);
    return 0; // never reached: the write ends the process
}

QProcess *startWorker(QObject *parent, const BookFolders &folders, quint32 seed, int steps)
{
    auto *child = new QProcess(parent);
    child->setProcessChannelMode(QProcess::ForwardedOutputChannel);
    child->start(
        QCoreApplication::applicationFilePath(),
        QStringList{QStringLiteral("--work"), QString::number(seed), QString::number(steps)} +
            foldersAsArguments(folders));
    child->waitForStarted();
    return child;
}

QString integrityOf(const QString &path)
{
    const auto connection = sql::Connection::openExisting(path, tablePassword());
    if (!connection) {
        return QStringLiteral("does not open");
    }
    sql::Statement check(connection->handle(), QStringLiteral("PRAGMA integrity_check"));
    return check.step() ? check.textAt(0) : check.error();
}

// Every file of the book whole and readable, and every model's stock equal
// to what its log rows add up to.
void verifyNothingLost(const BookFolders &folders)
{
    const Book book(folders);
    for (const QString &table : tables::allTableNames()) {
        QCOMPARE(integrityOf(book.pathOf(table)), QStringLiteral("ok"));
        Table opened;
        QVERIFY2(book.open(opened, table), qPrintable(table));
    }
    QHash<QString, double> logged;
    Table log;
    QVERIFY(book.open(log, tables::明细));
    QVERIFY(log.forEachMatching(
        RecordFilter::all(), {fields::品类, fields::名称, fields::型号, fields::入库, fields::出库},
        [&logged](const Record &record) {
            const QString key =
                record.textAt(0) + u'/' + record.textAt(1) + u'/' + record.textAt(2);
            logged[key] += record.numberAt(3) - record.numberAt(4);
        }));
    const std::optional<std::vector<ModelRecord>> models = readAllModels(folders);
    QVERIFY(models);
    for (const ModelRecord &model : *models) {
        const QString key = model.category + u'/' + model.item + u'/' + model.model;
        QVERIFY2(model.stock >= 0, qPrintable(key));
        QCOMPARE(model.stock, logged.value(key));
    }
}

} // namespace

void CrashTest::killedAtRandomMomentsLosesNothing()
{
    // CI kills 30 times; KUCUN_CRASH_KILLS=200 runs the full test.
    const int kills = qEnvironmentVariableIntValue("KUCUN_CRASH_KILLS") > 0
                          ? qEnvironmentVariableIntValue("KUCUN_CRASH_KILLS")
                          : 30;
    TestTables files;
    files.createAll();
    std::mt19937 random(20261208);
    for (int kill = 0; kill < kills; ++kill) {
        QProcess *worker = startWorker(this, files.folders(), random(), 0);
        QThread::msleep(30 + random() % 300);
        QVERIFY2(worker->state() == QProcess::Running, "the worker stopped on its own");
        worker->kill();
        QVERIFY(worker->waitForFinished(10000));
        delete worker;
        verifyNothingLost(files.folders());
        if (QTest::currentTestFailed()) {
            qWarning("after kill %d", kill + 1);
            return;
        }
    }
    const std::optional<LogMatches> log = movementsWithKeyword(files.folders(), QString());
    // The workers did book between the kills.
    QVERIFY(log && log->recordCount > 0);
}

void CrashTest::twoCopiesAtOnceLoseNothing()
{
    TestTables files;
    files.createAll();
    QList<QProcess *> workers;
    for (const quint32 seed : {7u, 8u}) {
        workers << startWorker(this, files.folders(), seed, 250);
    }
    for (QProcess *worker : std::as_const(workers)) {
        QVERIFY(worker->waitForFinished(180000));
        QCOMPARE(worker->exitCode(), 0);
    }
    verifyNothingLost(files.folders());
}

// The records of the four data tables of the book, as text.
QString dataTablesAsText(const BookFolders &folders)
{
    QString text;
    for (const QString &name : {tables::品类, tables::名称, tables::型号, tables::明细}) {
        Table table;
        if (!Book(folders).open(table, name)) {
            return QStringLiteral("no ") + name;
        }
        const bool whole =
            table.forEachMatching(RecordFilter::all(), [&text, &table](const Record &record) {
                text += QString::number(record.rowId());
                for (const FieldDefinition &field : table.schema().fields()) {
                    text += u'|';
                    if (field.kind == FieldKind::Text) {
                        text += record.text(field.name);
                    } else if (field.kind == FieldKind::DateTime) {
                        text += record.dateTime(field.name).toString();
                    } else {
                        text += QString::number(record.number(field.name));
                    }
                }
                text += u'\n';
            });
        if (!whole) {
            return QStringLiteral("unreadable ") + name;
        }
    }
    return text;
}

void CrashTest::backupsTakenWhileBookingHoldWholeBooks()
{
    TestTables files;
    files.createAll();
    const QString root = QDir(files.workDir()).filePath(QStringLiteral("备份"));
    QProcess *worker = startWorker(this, files.folders(), 11, 0);
    QStringList folders;
    for (int i = 0; i < 6; ++i) {
        QThread::msleep(60);
        const BackupResult made =
            makeBackup(files.folders(), root, QDateTime(QDate(2026, 12, 1), QTime(9, 0, i)),
                       BackupKind::Manual);
        QCOMPARE(made.outcome, BackupOutcome::Done);
        folders << made.folder;
    }
    worker->kill();
    QVERIFY(worker->waitForFinished(10000));
    for (const QString &folder : std::as_const(folders)) {
        verifyNothingLost(bookFoldersAt(folder, folder));
    }
    QVERIFY(listBackups(root).constFirst().movements > 0);
}

void CrashTest::aRestoreKilledLeavesOneSetOrTheOther()
{
    TestTables files;
    files.createAll();
    const QString root = QDir(files.workDir()).filePath(QStringLiteral("备份"));
    const auto work = [this, &files](quint32 seed) {
        QProcess *worker = startWorker(this, files.folders(), seed, 120);
        QVERIFY(worker->waitForFinished(120000));
        QCOMPARE(worker->exitCode(), 0);
        delete worker;
    };
    work(21);
    const QString backup =
        makeBackup(files.folders(), root, QDateTime(QDate(2026, 12, 1), QTime(9, 0)),
                   BackupKind::Manual)
            .folder;
    const QString restored = dataTablesAsText(files.folders());
    work(22);
    const QString current = dataTablesAsText(files.folders());
    const QString aside =
        makeBackup(files.folders(), root, QDateTime(QDate(2026, 12, 1), QTime(10, 0)),
                   BackupKind::Manual)
            .folder;
    QVERIFY(!backup.isEmpty() && !aside.isEmpty() && current != restored);

    std::mt19937 random(1208);
    int done = 0;
    for (int kill = 0; kill < 12; ++kill) {
        for (const QString &table : {tables::品类, tables::名称, tables::型号, tables::明细}) {
            const QString file = files.path(table);
            QFile::remove(file);
            QVERIFY(QFile::copy(QDir(aside).filePath(tables::fileNameOf(table)), file));
        }
        QProcess child;
        child.start(QCoreApplication::applicationFilePath(),
                    QStringList{QStringLiteral("--restore"), backup} +
                        foldersAsArguments(files.folders()));
        QVERIFY(child.waitForStarted());
        QThread::msleep(random() % 40);
        child.kill();
        QVERIFY(child.waitForFinished(10000));
        // The next start finishes a restore marked complete, or drops it.
        BooksInUse books(files.workDir());
        QVERIFY(recoverInterruptedWrites(files.folders(), books).tablesMayOpen);
        const QString now = dataTablesAsText(files.folders());
        QVERIFY2(now == current || now == restored, "a mix of the two sets");
        done += now == restored;
    }
    qInfo("restores done whole: %d of 12", done);
}

void CrashTest::aCommitCutShortThenAMovedFolderIsUndone_data()
{
    QTest::addColumn<QString>("cutAt");
    QTest::addColumn<QString>("operation");
    for (const QString &operation :
         {QStringLiteral("--cut-at"), QStringLiteral("--count-cut-at")}) {
        const char *what = operation == QStringLiteral("--cut-at") ? "booking" : "count";
        // Each table's journal names the super-journal before the table itself
        // is written: cut at 明细, 型号 is written whole and 明细 not at all.
        QTest::addRow("%s writing 明细", what) << QStringLiteral("明细.edb") << operation;
        QTest::addRow("%s writing 型号", what) << QStringLiteral("型号.edb") << operation;
        // Cut before any journal names it, the super-journal is left over.
        QTest::addRow("%s writing the super-journal", what)
            << QStringLiteral("型号.edb-mj") << operation;
    }
}

void CrashTest::aCommitCutShortThenAMovedFolderIsUndone()
{
    QFETCH(QString, cutAt);
    QFETCH(QString, operation);
    QTemporaryDir root;
    const QString before = QDir(root.path()).filePath(QStringLiteral("库存"));
    const QString after = QDir(root.path()).filePath(QStringLiteral("U盘/库存"));
    QVERIFY(QDir().mkpath(before) && QDir().mkpath(QFileInfo(after).path()));
    {
        TestTables files;
        files.createAll();
        for (const char *model : {"8寸", "10寸"}) {
            files.add(tables::型号,
                      {QStringLiteral("五金"), QStringLiteral("扳手"), QString::fromUtf8(model),
                       QStringLiteral("把"), 0.0, QString()});
        }
        for (const QString &table : tables::allTableNames()) {
            QVERIFY(QFile::copy(files.path(table), QDir(before).filePath(table + ".edb")));
        }
    }
    QProcess child;
    child.start(QCoreApplication::applicationFilePath(),
                QStringList{operation, cutAt} + foldersAsArguments(bookFoldersAt(before, before)));
    QVERIFY(child.waitForFinished(30000));
    QCOMPARE(child.exitCode(), 3);
    QVERIFY(!QDir(before).entryList({QStringLiteral("*-journal")}).isEmpty());

    // The stick comes back under another name; the program starts there.
    QVERIFY(QDir().rename(before, after));
    const BookFolders moved = bookFoldersAt(after, after);
    BooksInUse books(after);
    const WriteRecovery recovery = recoverInterruptedWrites(moved, books);
    QVERIFY(recovery.tablesMayOpen);
    removeLeftJournals(moved);
    verifyNothingLost(moved);
    // None of it: a count leaves no model booked and the other not.
    const ReadResult<std::vector<ModelRecord>> models = readAllModels(moved);
    QVERIFY(models);
    QCOMPARE(models->at(0).stock + models->at(1).stock, 0.0);
    QCOMPARE(QDir(after).entryList({QStringLiteral("*.edb-*")}), QStringList());
}

void CrashTest::noTextLiesInPlainBytes()
{
    TestTables files;
    files.createAll();
    const QString secret = QStringLiteral("机密型号XJ-7");
    files.add(tables::型号, {secret, secret, secret, secret, 1.0, secret});
    files.add(tables::明细,
              {storedDateTime(QDate(2024, 5, 3)), secret, secret, secret, 1, 0, secret, secret});
    files.add(tables::品类, {secret});
    files.add(tables::名称, {secret, secret});
    Table settings;
    QVERIFY(settings.open(files.path(tables::设置), tablePassword()));
    QVERIFY(settings.modify({secret}));
    settings.close();

    for (const QString &table : tables::allTableNames()) {
        QFile file(files.path(table));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        QVERIFY(!bytes.isEmpty());
        QVERIFY2(!bytes.contains("XJ-7"), qPrintable(table));
        QVERIFY2(!bytes.contains(secret.toUtf8()), qPrintable(table));
        QVERIFY2(!bytes.contains("SQLite format"), qPrintable(table));
    }
}

int main(int argc, char *argv[])
{
    QCoreApplication application(argc, argv);
    if (argc == 5 && qstrcmp(argv[1], "--restore") == 0) {
        ChangeNotifier changes;
        const BookFolders folders = foldersFrom(argv, 3);
        BooksInUse books(folders.data);
        const RestoreResult restored = restoreBackup(folders, QString::fromLocal8Bit(argv[2]),
                                                     books, QDateTime::currentDateTime(), changes);
        return restored.outcome.done() ? 0 : 1;
    }
    if (argc == 5 && qstrcmp(argv[1], "--cut-at") == 0) {
        return bookCutShort(foldersFrom(argv, 3), argv[2]);
    }
    if (argc == 5 && qstrcmp(argv[1], "--count-cut-at") == 0) {
        return countCutShort(foldersFrom(argv, 3), argv[2]);
    }
    if (argc == 6 && qstrcmp(argv[1], "--work") == 0) {
        return runWorker(foldersFrom(argv, 4), QByteArray(argv[2]).toUInt(),
                         QByteArray(argv[3]).toInt());
    }
    CrashTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_crash.moc"
