#include "MoveBook.h"

#include "book/files/Book.h"
#include "store/SqlCipher.h"
#include "store/TableFiles.h"
#include "store/TableSchema.h"
#include "store/server/PgConnection.h"
#include "store/server/ServerSchema.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <charconv>
#include <cmath>
#include <map>
#include <memory>

namespace kucun {

namespace {

// The bytes of COPY data sent at a time.
constexpr qsizetype copyPiece = 1 << 20;
// Records read from the server in one statement.
constexpr int recordsPerRead = 10000;

QStringList movedTables()
{
    QStringList names = tables::allTableNames();
    names << tables::ownTableNames();
    return names;
}

QString numberText(double value)
{
    return QString::number(value, 'g', QLocale::FloatingPointShortest);
}

// The identity column first, then the table's fields in field order.
QString columnList(const QString &table, const QString &identity)
{
    QStringList columns{identity};
    for (const FieldDefinition &field : tables::fieldsOf(table)) {
        columns << sql::quoteIdentifier(field.name);
    }
    return columns.join(QStringLiteral(", "));
}

// The table's name on the server, as setval and its kin take it.
QString serverTableName(const QString &table)
{
    return sql::quoteIdentifier(serverSchema) + QLatin1Char('.') + sql::quoteIdentifier(table);
}

MoveResult failed(MoveResult result, const QString &why)
{
    result.done = false;
    result.error = why;
    return result;
}

// Why a step on the server failed, told as a lost server when it was one:
// a session that lost its server knows it once it asks the server anything.
QString serverFailure(pg::Connection &server, const QString &why)
{
    server.execScript(QStringLiteral("SELECT 1"));
    return server.isAlive() ? why : QStringLiteral("无法连接数据库服务器：") + why;
}

// Compares the counts and the stock totals of both books: the reason they
// differ, or empty when they agree.
QString mismatchOf(const MoveResult &result)
{
    for (const MovedTable &moved : result.tables) {
        if (moved.before != moved.after) {
            return QStringLiteral("%1 的记录数不符：原有 %2 条，复制后 %3 条，未做任何改动")
                .arg(moved.table)
                .arg(moved.before)
                .arg(moved.after);
        }
    }
    if (result.stockBefore != result.stockAfter) {
        return QStringLiteral("库存合计不符：原为 %1，复制后为 %2，未做任何改动")
            .arg(numberText(result.stockBefore), numberText(result.stockAfter));
    }
    return {};
}

// ---- From the files ----

// Appends a text to a row of COPY's text format, with backslash, tab,
// newline and carriage return escaped.
void appendCopyText(QByteArray &rows, std::string_view text)
{
    for (const char c : text) {
        switch (c) {
        case '\\':
            rows += "\\\\";
            break;
        case '\t':
            rows += "\\t";
            break;
        case '\n':
            rows += "\\n";
            break;
        case '\r':
            rows += "\\r";
            break;
        default:
            rows += c;
        }
    }
}

QByteArray numberBytes(double value)
{
    return QByteArray::number(value, 'g', QLocale::FloatingPointShortest);
}

// Appends a field of a file's record as COPY takes it: a number in its
// shortest exact form, a whole number stored as a real as a whole number and
// a fraction as it is (which the server refuses for a whole-number field, so
// nothing is cut), an empty date as none.
void appendFileValue(QByteArray &rows, const sql::Statement &row, int column, FieldKind kind)
{
    if (row.isNullAt(column) || (kind == FieldKind::DateTime && row.utf8At(column).empty())) {
        rows += "\\N";
        return;
    }
    switch (kind) {
    case FieldKind::Number:
        rows += numberBytes(row.doubleAt(column));
        return;
    case FieldKind::Integer: {
        const QVariant value = row.valueAt(column);
        const double number = value.toDouble();
        if (value.typeId() == QMetaType::LongLong) {
            rows += QByteArray::number(value.toLongLong());
        } else if (value.typeId() == QMetaType::Double && number == std::trunc(number) &&
                   std::abs(number) < 9e15) {
            rows += QByteArray::number(qint64(number));
        } else if (value.typeId() == QMetaType::Double) {
            rows += numberBytes(number);
        } else {
            appendCopyText(rows, row.utf8At(column));
        }
        return;
    }
    case FieldKind::Logical:
        rows += row.doubleAt(column) != 0 ? 't' : 'f';
        return;
    default:
        appendCopyText(rows, row.utf8At(column));
    }
}

// The table files of a book, opened as one connection (each file attached
// under an alias) and read in one transaction.
class FileBook
{
public:
    // The five tables must open; a table of our own that is missing counts
    // as empty.
    bool open(const Book &book, QString *error)
    {
        for (const QString &table : movedTables()) {
            const QString path = book.pathOf(table);
            if (!QFileInfo::exists(path) && tables::ownTableNames().contains(table)) {
                continue;
            }
            const QString alias = QStringLiteral("t%1").arg(m_aliases.size());
            if (!m_connection) {
                m_connection = sql::Connection::openExisting(path, tablePassword());
            } else if (!m_connection->attach(path, alias, tablePassword())) {
                m_connection.reset();
            }
            if (!m_connection) {
                *error = QStringLiteral("无法打开表文件：%1").arg(QDir::toNativeSeparators(path));
                return false;
            }
            m_aliases[table] = m_aliases.empty() ? QStringLiteral("main") : alias;
        }
        // Reads hold every file from here on: counting takes each one's lock.
        if (!m_connection->exec(QStringLiteral("BEGIN"))) {
            *error = QStringLiteral("无法读取表文件：%1").arg(m_connection->lastError());
            return false;
        }
        return true;
    }
    ~FileBook()
    {
        if (m_connection) {
            m_connection->exec(QStringLiteral("ROLLBACK"));
        }
    }
    bool holds(const QString &table) const { return m_aliases.count(table) > 0; }
    QString from(const QString &table) const
    {
        return sql::quoteIdentifier(m_aliases.at(table)) + QLatin1Char('.') +
               sql::quoteIdentifier(table);
    }
    qint64 count(const QString &table)
    {
        if (!holds(table)) {
            return 0;
        }
        sql::Statement counted(m_connection->handle(),
                               QStringLiteral("SELECT count(*) FROM %1").arg(from(table)));
        return counted.step() ? counted.int64At(0) : -1;
    }
    // The highest id the log ever handed out; 0 for a log without ids of its own.
    qint64 logIdsGiven()
    {
        sql::Statement given(m_connection->handle(),
                             QStringLiteral("SELECT seq FROM %1.sqlite_sequence WHERE name = ?")
                                 .arg(sql::quoteIdentifier(m_aliases.at(tables::明细))),
                             {tables::明细});
        return given.isValid() && given.step() ? given.int64At(0) : 0;
    }
    sql::Connection &connection() { return *m_connection; }

private:
    std::unique_ptr<sql::Connection> m_connection;
    std::map<QString, QString> m_aliases;
};

// Copies one table's records from the files to the server with one COPY,
// in record order; the stock total of 型号 adds up on the way. Makes the
// table's identity hand out ids above the highest copied.
bool copyToServer(FileBook &files, pg::Connection &server, const QString &table, double *stockTotal,
                  QString *error)
{
    const auto fail = [&](const QString &why) {
        *error = QStringLiteral("复制 %1 失败：%2").arg(table, why);
        return false;
    };
    const FieldList &fields = tables::fieldsOf(table);
    // The column of 库存 in the rows read, after the row id; none but in 型号.
    int stock = 0;
    for (int field = 0; table == tables::型号 && field < fields.size(); ++field) {
        if (fields[field].name == fields::库存) {
            stock = field + 1;
        }
    }
    sql::Statement rows(files.connection().handle(),
                        QStringLiteral("SELECT %1 FROM %2 ORDER BY rowid")
                            .arg(columnList(table, QStringLiteral("rowid")), files.from(table)));
    QString why;
    // Identity values given in COPY's data are kept, as OVERRIDING SYSTEM VALUE keeps them.
    if (!server.beginCopy(
            QStringLiteral("COPY %1 (%2) FROM STDIN")
                .arg(sql::quoteIdentifier(table), columnList(table, QStringLiteral("\"id\""))),
            &why)) {
        return fail(why);
    }
    qint64 highest = table == tables::明细 ? files.logIdsGiven() : 0;
    QByteArray pending;
    while (rows.step()) {
        highest = std::max(highest, rows.int64At(0));
        pending += QByteArray::number(rows.int64At(0));
        for (int field = 0; field < fields.size(); ++field) {
            pending += '\t';
            appendFileValue(pending, rows, field + 1, fields[field].kind);
        }
        pending += '\n';
        *stockTotal += stock > 0 ? rows.doubleAt(stock) : 0;
        if (pending.size() >= copyPiece) {
            if (!server.sendCopyData(pending, &why)) {
                server.endCopy(nullptr, why);
                return fail(why);
            }
            pending.clear();
        }
    }
    if (rows.failed() || !rows.isValid()) {
        why = rows.error();
        server.endCopy(nullptr, why);
        return fail(why);
    }
    if ((!pending.isEmpty() && !server.sendCopyData(pending, &why)) || !server.endCopy(&why)) {
        return fail(why);
    }
    const pg::Result set =
        server.exec(QStringLiteral("SELECT setval(pg_get_serial_sequence($1, 'id'), $2, $3)"),
                    {serverTableName(table), std::max<qint64>(highest, 1), highest > 0});
    return set.ok() || fail(set.error());
}

// The records of every table on the server, and its stock total, summed
// in record order as the files' total is.
bool countOnServer(pg::Connection &server, MoveResult &result, bool before, QString *error)
{
    for (qsizetype i = 0; i < result.tables.size(); ++i) {
        MovedTable &moved = result.tables[i];
        const pg::Result counted = server.exec(
            QStringLiteral("SELECT count(*) FROM %1").arg(sql::quoteIdentifier(moved.table)));
        if (!counted.ok()) {
            *error = QStringLiteral("无法清点服务器上的 %1：%2").arg(moved.table, counted.error());
            return false;
        }
        (before ? moved.before : moved.after) = counted.textAt(0, 0).toLongLong();
    }
    const pg::Result stock =
        server.exec(QStringLiteral("SELECT \"库存\" FROM \"型号\" ORDER BY \"id\""));
    if (!stock.ok()) {
        *error = QStringLiteral("无法清点服务器上的 型号：%1").arg(stock.error());
        return false;
    }
    double total = 0;
    for (int row = 0; row < stock.rowCount(); ++row) {
        const std::string_view text = stock.utf8At(row, 0);
        double value = 0;
        std::from_chars(text.data(), text.data() + text.size(), value);
        total += value;
    }
    (before ? result.stockBefore : result.stockAfter) = total;
    return true;
}

// ---- From the server ----

// A field of a server record as the files keep it.
QVariant serverValue(const pg::Result &rows, int row, int column, FieldKind kind)
{
    if (rows.isNullAt(row, column)) {
        return {};
    }
    const std::string_view text = rows.utf8At(row, column);
    switch (kind) {
    case FieldKind::Number: {
        double value = 0;
        std::from_chars(text.data(), text.data() + text.size(), value);
        return value;
    }
    case FieldKind::Integer: {
        qint64 value = 0;
        std::from_chars(text.data(), text.data() + text.size(), value);
        return value;
    }
    case FieldKind::Logical:
        return qint64(text == "t" ? 1 : 0);
    default:
        return rows.textAt(row, column);
    }
}

// Makes the log's file hand out ids above every id the server's log handed
// out, as well as above the highest copied.
bool keepLogIdsGiven(pg::Connection &server, sql::Connection &file, qint64 highestCopied,
                     QString *error)
{
    const pg::Result given = server.exec(
        QStringLiteral("SELECT pg_sequence_last_value(pg_get_serial_sequence($1, 'id'))"),
        {serverTableName(tables::明细)});
    if (!given.ok()) {
        *error = given.error();
        return false;
    }
    const qint64 highest = std::max(highestCopied, given.textAt(0, 0).toLongLong());
    sql::Statement forget(file.handle(),
                          QStringLiteral("DELETE FROM sqlite_sequence WHERE name = ?"),
                          {tables::明细});
    sql::Statement keep(file.handle(),
                        QStringLiteral("INSERT INTO sqlite_sequence (name, seq) VALUES (?, ?)"),
                        {tables::明细, highest});
    forget.step();
    if (highest > 0) {
        keep.step();
    }
    if (forget.failed() || keep.failed()) {
        *error = file.lastError();
        return false;
    }
    return true;
}

// Fills a new table file with the server table's records, ids kept, in
// one transaction; the log's file hands out ids above every id the server
// handed out. Counts what the file then holds.
bool copyFromServer(pg::Connection &server, const QString &table, const QString &path,
                    MovedTable &moved, double *stockTotal, QString *error)
{
    const auto fail = [&](const QString &why) {
        *error = QStringLiteral("复制 %1 失败：%2").arg(table, why);
        return false;
    };
    if (!createTableFile(path, table, error)) {
        return false;
    }
    const auto file = sql::Connection::openExisting(path, tablePassword());
    if (!file || !file->exec(QStringLiteral("BEGIN")) ||
        !file->exec(QStringLiteral("DELETE FROM %1").arg(sql::quoteIdentifier(table)))) {
        return fail(file ? file->lastError() : QDir::toNativeSeparators(path));
    }
    const FieldList &fields = tables::fieldsOf(table);
    sql::Statement insert(file->handle(), QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                                              .arg(sql::quoteIdentifier(table),
                                                   columnList(table, QStringLiteral("rowid")),
                                                   sql::placeholders(int(fields.size()) + 1)));
    const QString read =
        QStringLiteral("SELECT %1 FROM %2 WHERE \"id\" > $1 ORDER BY \"id\" "
                       "LIMIT %3")
            .arg(columnList(table, QStringLiteral("\"id\"")), sql::quoteIdentifier(table))
            .arg(recordsPerRead);
    qint64 last = 0;
    for (bool more = true; more;) {
        const pg::Result rows = server.exec(read, {last});
        if (!rows.ok()) {
            return fail(rows.error());
        }
        for (int row = 0; row < rows.rowCount(); ++row) {
            last = rows.textAt(row, 0).toLongLong();
            insert.reset();
            insert.bind(1, last);
            for (int field = 0; field < fields.size(); ++field) {
                insert.bind(field + 2, serverValue(rows, row, field + 1, fields[field].kind));
            }
            insert.step();
            if (insert.failed()) {
                return fail(insert.error());
            }
        }
        more = rows.rowCount() == recordsPerRead;
    }
    if (table == tables::明细 && !keepLogIdsGiven(server, *file, last, error)) {
        return fail(*error);
    }
    if (!file->exec(QStringLiteral("COMMIT"))) {
        return fail(file->lastError());
    }
    sql::Statement counted(
        file->handle(), QStringLiteral("SELECT count(*) FROM %1").arg(sql::quoteIdentifier(table)));
    moved.after = counted.step() ? counted.int64At(0) : -1;
    if (table == tables::型号) {
        sql::Statement stock(file->handle(),
                             QStringLiteral("SELECT \"库存\" FROM \"型号\" ORDER BY rowid"));
        while (stock.step()) {
            *stockTotal += stock.doubleAt(0);
        }
    }
    return true;
}

} // namespace

MoveResult moveBookToServer(const BookFolders &files, const QString &conninfo)
{
    MoveResult result;
    FileBook source;
    QString why;
    if (!source.open(Book(files), &why)) {
        return failed(result, why);
    }
    for (const QString &table : movedTables()) {
        result.tables.append({table, source.count(table), 0});
    }
    const auto server = pg::Connection::open(conninfo, &why);
    if (!server) {
        return failed(result, QStringLiteral("无法连接数据库服务器：") + why);
    }
    result.server = server->userAtHost();
    const pg::Result existing = server->exec(
        QStringLiteral("SELECT 1 FROM pg_namespace WHERE nspname = $1"), {serverSchema});
    if (!existing.ok()) {
        return failed(result, QStringLiteral("无法连接数据库服务器：") + existing.error());
    }
    if (existing.rowCount() > 0) {
        return failed(result,
                      QStringLiteral("数据库中已有账本，未做任何改动：%1").arg(result.server));
    }
    QStringList schema{QStringLiteral("BEGIN")};
    schema << serverSchemaStatements();
    for (const QString &statement : std::as_const(schema)) {
        if (!server->execScript(statement, &why)) {
            server->execScript(QStringLiteral("ROLLBACK"));
            return failed(result, QStringLiteral("无法在服务器上创建账本：%1").arg(why));
        }
    }
    for (const QString &table : movedTables()) {
        if (source.holds(table) &&
            !copyToServer(source, *server, table, &result.stockBefore, &why)) {
            server->execScript(QStringLiteral("ROLLBACK"));
            return failed(result, serverFailure(*server, why));
        }
    }
    if (!countOnServer(*server, result, false, &why)) {
        server->execScript(QStringLiteral("ROLLBACK"));
        return failed(result, serverFailure(*server, why));
    }
    result.counted = true;
    const QString mismatch = mismatchOf(result);
    if (!mismatch.isEmpty()) {
        server->execScript(QStringLiteral("ROLLBACK"));
        return failed(result, mismatch);
    }
    if (!server->execScript(QStringLiteral("COMMIT"), &why)) {
        return failed(
            result, serverFailure(*server, QStringLiteral("无法在服务器上创建账本：%1").arg(why)));
    }
    result.done = true;
    return result;
}

MoveResult moveBookFromServer(const QString &conninfo, const BookFolders &files)
{
    MoveResult result;
    const Book book(files);
    for (const QString &table : movedTables()) {
        const QString path = book.pathOf(table);
        if (QFileInfo::exists(path)) {
            return failed(result, QStringLiteral("表文件已存在，未做任何改动：%1")
                                      .arg(QDir::toNativeSeparators(path)));
        }
        result.tables.append({table, 0, 0});
    }
    QString why;
    const auto server = pg::Connection::open(conninfo, &why);
    if (!server) {
        return failed(result, QStringLiteral("无法连接数据库服务器：") + why);
    }
    result.server = server->userAtHost();
    // One snapshot of the book: what other programs change meanwhile is not half in it.
    if (!server->execScript(QStringLiteral("BEGIN ISOLATION LEVEL REPEATABLE READ READ ONLY"),
                            &why)) {
        return failed(result, QStringLiteral("无法连接数据库服务器：") + why);
    }
    const pg::Result existing = server->exec(
        QStringLiteral("SELECT 1 FROM pg_namespace WHERE nspname = $1"), {serverSchema});
    if (!existing.ok()) {
        return failed(result, QStringLiteral("无法连接数据库服务器：") + existing.error());
    }
    if (existing.rowCount() == 0) {
        return failed(result, QStringLiteral("数据库中没有账本：%1").arg(result.server));
    }
    if (!countOnServer(*server, result, true, &why)) {
        return failed(result, serverFailure(*server, why));
    }
    // Staging folders in the destination folders, so that moving the
    // finished files into place is a rename on the same disk.
    const auto stageIn = [](const QString &folder) {
        return std::make_unique<QTemporaryDir>(
            QDir(folder).filePath(QStringLiteral(".kucun-move-XXXXXX")));
    };
    const auto dataStage = stageIn(files.data);
    const auto programStage = stageIn(files.program);
    for (const auto *stage : {dataStage.get(), programStage.get()}) {
        if (!stage->isValid()) {
            return failed(result,
                          QStringLiteral("无法写入临时文件夹：%1").arg(stage->errorString()));
        }
    }
    QStringList staged;
    for (MovedTable &moved : result.tables) {
        const auto &stage = moved.table == tables::设置 ? programStage : dataStage;
        staged << stage->filePath(tables::fileNameOf(moved.table));
        if (!copyFromServer(*server, moved.table, staged.last(), moved, &result.stockAfter, &why)) {
            return failed(result, serverFailure(*server, why));
        }
    }
    result.counted = true;
    const QString mismatch = mismatchOf(result);
    if (!mismatch.isEmpty()) {
        return failed(result, mismatch);
    }
    for (qsizetype i = 0; i < staged.size(); ++i) {
        const QString path = book.pathOf(result.tables[i].table);
        if (!QFile::rename(staged[i], path)) {
            // Back out the files already in place: none or all.
            for (qsizetype back = 0; back < i; ++back) {
                QFile::rename(book.pathOf(result.tables[back].table), staged[back]);
            }
            return failed(result,
                          QStringLiteral("无法写入表文件：%1").arg(QDir::toNativeSeparators(path)));
        }
    }
    server->execScript(QStringLiteral("COMMIT"));
    result.done = true;
    return result;
}

} // namespace kucun
