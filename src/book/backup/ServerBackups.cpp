#include "ServerBackups.h"

#include "BackupFiles.h"
#include "store/RecordCounts.h"
#include "store/SqlCipher.h"
#include "store/TableSchema.h"
#include "store/server/PgConnection.h"
#include "store/server/ServerSchema.h"
#include "store/server/ServerSession.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QRandomGenerator>
#include <QRegularExpression>

namespace kucun::serverbackup {

using namespace backupfiles;

namespace {

// The lock every writer of the book takes first: held by the swap, it keeps
// bookings out until the restored tables are in place.
constexpr qint64 writersLock = 6042130;
// How long the swap waits for the writers or a reader before it gives up
// and changes nothing.
const QString lockWait = QStringLiteral("30s");
// Raised inside the swap when the restored schema lacks a table or field.
const QByteArray missingFieldState = "KC001";
// A client program's output is read, or written in, this much at a time.
constexpr qint64 piece = 4 << 20;

QString literal(const QString &text)
{
    return QLatin1Char('\'') + QString(text).replace(QLatin1Char('\''), QStringLiteral("''")) +
           QLatin1Char('\'');
}

QString qualified(const QString &schema, const QString &table)
{
    return sql::quoteIdentifier(schema) + QLatin1Char('.') + sql::quoteIdentifier(table);
}

QStringList bookTables()
{
    return tables::allTableNames() + tables::ownTableNames();
}

// Starts pg_dump, pg_restore or psql with the password in its environment,
// messages in English, texts in UTF-8.
void startClient(QProcess &process, const QString &program, const QStringList &arguments,
                 const pg::ClientLogin &login = {})
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    if (!login.password.isEmpty()) {
        environment.insert(QStringLiteral("PGPASSWORD"), login.password);
    }
    environment.insert(QStringLiteral("PGCLIENTENCODING"), QStringLiteral("UTF8"));
    environment.insert(QStringLiteral("LC_ALL"), QStringLiteral("C.UTF-8"));
    process.setProcessEnvironment(environment);
    process.start(program, arguments);
}

bool endedWell(QProcess &process)
{
    process.waitForFinished(-1);
    return process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0 &&
           process.error() != QProcess::FailedToStart;
}

Outcome<BackupOutcome> outcomeOfRead(const pg::Result &result)
{
    const StoreFault fault = pg::faultOfState(result.sqlState().toLatin1());
    if (fault == StoreFault::Busy || fault == StoreFault::ReadOnly) {
        return fault;
    }
    return StoreFault::Unavailable;
}

// Why pg_dump stopped, by what it said.
Outcome<BackupOutcome> outcomeOfDump(const QString &said)
{
    if (said.contains(QLatin1String("No space left")) ||
        said.contains(QLatin1String("Disk quota exceeded")) ||
        said.contains(QLatin1String("File too large"))) {
        return BackupOutcome::DiskFull;
    }
    if (said.contains(QLatin1String("output file"))) {
        return StoreFault::WriteFailed;
    }
    return StoreFault::Unavailable;
}

// Before the archive's statements: the writers are held off and the
// schema in use steps aside under a name of its own.
QString swapOutStatements(const QString &replaced)
{
    return QStringLiteral("BEGIN;\n"
                          "SET LOCAL lock_timeout = %1;\n"
                          "SELECT pg_catalog.pg_advisory_xact_lock(%2);\n"
                          "DO $swap$ BEGIN IF pg_catalog.to_regnamespace(%3) IS NOT NULL THEN "
                          "ALTER SCHEMA %4 RENAME TO %5; END IF; END $swap$;\n")
        .arg(literal(lockWait))
        .arg(writersLock)
        .arg(literal(sql::quoteIdentifier(serverSchema)), sql::quoteIdentifier(serverSchema),
             sql::quoteIdentifier(replaced));
}

// The restored schema has every table with every field of its type, and
// the function the searches use; or the swap fails.
QString checkStatement()
{
    QStringList wanted;
    for (const QString &table : bookTables()) {
        wanted << QStringLiteral("(%1, 'id', 'bigint')").arg(literal(table));
        for (const FieldDefinition &field : tables::fieldsOf(table)) {
            wanted << QStringLiteral("(%1, %2, %3)")
                          .arg(literal(table), literal(field.name),
                               literal(serverType(field.kind)));
        }
    }
    return QStringLiteral(
               "DO $check$ DECLARE missing text; BEGIN "
               "SELECT wanted.t || '.' || wanted.c INTO missing FROM (VALUES %1) AS wanted(t, c, "
               "y) "
               "WHERE NOT EXISTS (SELECT FROM pg_catalog.pg_attribute AS a WHERE a.attrelid = "
               "pg_catalog.to_regclass(pg_catalog.format('%I.%I', %2, wanted.t)) "
               "AND a.attname = wanted.c AND NOT a.attisdropped "
               "AND a.atttypid = pg_catalog.to_regtype(wanted.y)) LIMIT 1; "
               "IF missing IS NULL AND pg_catalog.to_regprocedure(%3) IS NULL THEN "
               "missing := 'instr'; END IF; "
               "IF missing IS NOT NULL THEN RAISE EXCEPTION USING ERRCODE = '%4', "
               "MESSAGE = missing; END IF; END $check$;\n")
        .arg(wanted.join(QStringLiteral(", ")), literal(serverSchema),
             literal(serverSchema + QStringLiteral(".instr(text,text)")),
             QString::fromLatin1(missingFieldState));
}

// 设置 keeps the records in force, as on the files, where they can be read.
QString keepSettingsStatement(const QString &replaced)
{
    QStringList columns{QStringLiteral("\"id\"")};
    for (const FieldDefinition &field : tables::fieldsOf(tables::设置)) {
        columns << sql::quoteIdentifier(field.name);
    }
    const QString list = columns.join(QStringLiteral(", "));
    return QStringLiteral("DO $keep$ BEGIN IF pg_catalog.to_regclass(%1) IS NOT NULL THEN "
                          "DELETE FROM %2; "
                          "INSERT INTO %2 (%3) OVERRIDING SYSTEM VALUE SELECT %3 FROM %4; "
                          "END IF; EXCEPTION WHEN undefined_column OR datatype_mismatch THEN "
                          "NULL; END $keep$;\n")
        .arg(literal(qualified(replaced, tables::设置)), qualified(serverSchema, tables::设置),
             list, qualified(replaced, tables::设置));
}

// Every table goes on numbering above the ids of both books: a list that
// showed a record of the book replaced never finds another under its id.
QString keepIdsStatement(const QString &replaced)
{
    QStringList names;
    for (const QString &table : bookTables()) {
        names << literal(table);
    }
    return QStringLiteral(
               "DO $ids$ DECLARE name text; old text; new text; last bigint; kept bigint; BEGIN "
               "FOREACH name IN ARRAY ARRAY[%1] LOOP "
               "new := pg_catalog.pg_get_serial_sequence(pg_catalog.format('%I.%I', %2, name), "
               "'id'); "
               "old := CASE WHEN pg_catalog.to_regclass(pg_catalog.format('%I.%I', %3, name)) IS "
               "NOT NULL THEN pg_catalog.pg_get_serial_sequence(pg_catalog.format('%I.%I', %3, "
               "name), 'id') END; "
               "IF old IS NOT NULL THEN "
               "EXECUTE 'SELECT last_value FROM ' || new INTO last; "
               "EXECUTE 'SELECT last_value FROM ' || old INTO kept; "
               "PERFORM pg_catalog.setval(new::regclass, GREATEST(last, kept)); "
               "END IF; END LOOP; END $ids$;\n")
        .arg(names.join(QStringLiteral(", ")), literal(serverSchema), literal(replaced));
}

// After the archive's statements: the checks, the records kept, the old
// schema dropped, the other computers told; then the one COMMIT.
QString swapInStatements(const QString &replaced)
{
    return QStringLiteral("SET LOCAL lock_timeout = %1;\n").arg(literal(lockWait)) +
           checkStatement() + keepSettingsStatement(replaced) + keepIdsStatement(replaced) +
           QStringLiteral("DROP SCHEMA IF EXISTS %1 CASCADE;\nNOTIFY %2;\nCOMMIT;\n")
               .arg(sql::quoteIdentifier(replaced), sql::quoteIdentifier(serverSchema));
}

// Why psql's transaction failed, from its first error (psql with
// VERBOSITY=verbose names the SQLSTATE): the server's trouble, or an archive
// that does not restore.
Outcome<RestoreOutcome> outcomeOfSwap(const QString &said, QString *problem)
{
    static const QRegularExpression error(QStringLiteral("ERROR:  ([0-9A-Z]{5}): ([^\\n]*)"));
    const QRegularExpressionMatch first = error.match(said);
    if (!first.hasMatch()) {
        return StoreFault::Unavailable;
    }
    const QByteArray state = first.captured(1).toLatin1();
    if (state == missingFieldState) {
        *problem = QStringLiteral("备份文件缺少数据表或字段：%1").arg(serverDumpFile);
        return RestoreOutcome::BackupUnsound;
    }
    const StoreFault fault = pg::faultOfState(state);
    const QByteArray kind = state.left(2);
    if (fault != StoreFault::WriteFailed) {
        return fault;
    }
    // Out of room or memory, the server's own failures.
    if (kind == "53" || kind == "54" || kind == "58" || kind == "XX") {
        return StoreFault::WriteFailed;
    }
    *problem = QStringLiteral("备份文件无法恢复：%1（%2）").arg(first.captured(2), serverDumpFile);
    return RestoreOutcome::BackupUnsound;
}

} // namespace

Outcome<BackupOutcome> dumpBook(const QString &conninfo, const QString &folder, BackupInfo &info)
{
    const pg::ClientLogin login = pg::clientLogin(conninfo);
    QString failure;
    const std::unique_ptr<pg::Connection> connection = pg::Connection::open(conninfo, &failure);
    if (!connection || login.conninfo.isEmpty() ||
        !connection->execScript(
            QStringLiteral("BEGIN ISOLATION LEVEL REPEATABLE READ, READ ONLY"))) {
        return StoreFault::Unavailable;
    }
    // pg_dump reads in the snapshot the figures are counted in.
    const pg::Result snapshot = connection->exec(QStringLiteral("SELECT pg_export_snapshot()"));
    const pg::Result models = connection->exec(
        QStringLiteral("SELECT count(*), coalesce(sum(%1), 0) FROM %2")
            .arg(sql::quoteIdentifier(fields::库存), qualified(serverSchema, tables::型号)));
    const pg::Result log = connection->exec(
        QStringLiteral("SELECT count(*) FROM %1").arg(qualified(serverSchema, tables::明细)));
    for (const pg::Result *read : {&snapshot, &models, &log}) {
        if (!read->ok()) {
            return outcomeOfRead(*read);
        }
    }
    info.models = models.textAt(0, 0).toLongLong();
    info.totalStock = models.textAt(0, 1).toDouble();
    info.movements = log.textAt(0, 0).toLongLong();

    // pg_dump writes its archive and makes it last a power cut.
    QProcess dump;
    dump.setStandardOutputFile(QProcess::nullDevice());
    startClient(dump, QStringLiteral("pg_dump"),
                {QStringLiteral("--format=custom"), QStringLiteral("--schema=") + serverSchema,
                 QStringLiteral("--snapshot=") + snapshot.textAt(0, 0),
                 QStringLiteral("--file=") + QDir(folder).filePath(serverDumpFile),
                 QStringLiteral("--dbname=") + login.conninfo},
                login);
    const bool dumped = endedWell(dump);
    connection->execScript(QStringLiteral("ROLLBACK"));
    if (!dumped) {
        return outcomeOfDump(QString::fromUtf8(dump.readAllStandardError()));
    }
    return BackupOutcome::Done;
}

QString dumpProblem(const QString &folder)
{
    const QString path = QDir(folder).filePath(serverDumpFile);
    if (!QFileInfo::exists(path)) {
        return QFileInfo::exists(QDir(folder).filePath(tables::fileNameOf(tables::明细)))
                   ? QStringLiteral("这是数据文件的备份，不能恢复到数据库服务器上的账本")
                   : QStringLiteral("备份中缺少文件：%1").arg(serverDumpFile);
    }
    QProcess list;
    startClient(list, QStringLiteral("pg_restore"), {QStringLiteral("--list"), path});
    if (!endedWell(list)) {
        return QStringLiteral("备份文件无法打开（不是本程序的备份，或已损坏）：%1")
            .arg(serverDumpFile);
    }
    // Entries read "<id>; <oid> <oid> TABLE DATA kucun 明细 <owner>"; every
    // table must be there with its records.
    const QString contents = QString::fromUtf8(list.readAllStandardOutput());
    for (const QString &table : bookTables()) {
        for (const QString &entry : {QStringLiteral("TABLE"), QStringLiteral("TABLE DATA")}) {
            const QRegularExpression listed(QStringLiteral("^\\d+; \\d+ \\d+ %1 %2 %3 ")
                                                .arg(entry,
                                                     QRegularExpression::escape(serverSchema),
                                                     QRegularExpression::escape(table)),
                                            QRegularExpression::MultilineOption);
            if (!listed.match(contents).hasMatch()) {
                return QStringLiteral("备份文件缺少数据表或字段：%1").arg(serverDumpFile);
            }
        }
    }
    return {};
}

Outcome<RestoreOutcome> restoreDump(const QString &conninfo, const QString &folder,
                                    QString *problem)
{
    const pg::ClientLogin login = pg::clientLogin(conninfo);
    if (login.conninfo.isEmpty()) {
        return StoreFault::Unavailable;
    }
    // pg_restore turns the archive into statements, which go to psql as they
    // come. The COMMIT follows them only once pg_restore read the whole
    // archive: an archive cut short or damaged ends psql's input without
    // it, and the server drops the transaction.
    QProcess script;
    startClient(script, QStringLiteral("pg_restore"),
                {QStringLiteral("--no-owner"), QStringLiteral("--file=-"),
                 QDir(folder).filePath(serverDumpFile)});
    QProcess psql;
    psql.setStandardOutputFile(QProcess::nullDevice());
    startClient(psql, QStringLiteral("psql"),
                {QStringLiteral("--no-psqlrc"), QStringLiteral("--quiet"),
                 QStringLiteral("--set=ON_ERROR_STOP=1"), QStringLiteral("--set=VERBOSITY=verbose"),
                 QStringLiteral("--dbname=") + login.conninfo},
                login);
    const QString replaced =
        QStringLiteral("kucun_replaced_%1")
            .arg(QRandomGenerator::global()->generate64(), 16, 16, QLatin1Char('0'));
    psql.write(swapOutStatements(replaced).toUtf8());
    while (psql.state() != QProcess::NotRunning) {
        psql.write(script.readAllStandardOutput());
        while (psql.bytesToWrite() > piece && psql.state() != QProcess::NotRunning) {
            psql.waitForBytesWritten(1000);
        }
        if (script.state() == QProcess::NotRunning && script.bytesAvailable() == 0) {
            break;
        }
        script.waitForReadyRead(100);
    }
    // psql stopped at an error: the rest of the archive is not wanted.
    const bool cutOff = script.state() != QProcess::NotRunning;
    if (cutOff) {
        script.kill();
    }
    const bool wholeScript = endedWell(script) && !cutOff;
    if (wholeScript) {
        psql.write(swapInStatements(replaced).toUtf8());
    }
    psql.closeWriteChannel();
    const bool swapped = endedWell(psql);
    // Whatever psql did, the counts the program remembers may be out of date.
    recordcounts::forgetServerTable(QString());
    if (wholeScript && swapped) {
        return RestoreOutcome::Done;
    }
    if (!wholeScript && !cutOff) {
        *problem = QStringLiteral("备份文件已损坏：%1").arg(serverDumpFile);
        return RestoreOutcome::BackupUnsound;
    }
    return outcomeOfSwap(QString::fromUtf8(psql.readAllStandardError()), problem);
}

} // namespace kucun::serverbackup
