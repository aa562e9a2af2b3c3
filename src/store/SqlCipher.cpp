#include "SqlCipher.h"

#include <QDate>
#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <sqlite3.h>

namespace kucun::sql {

namespace {

constexpr int busyTimeoutMs = 5000;

// Key derivation rounds of the table files: the key is a fixed constant, so
// more rounds only slow down every open.
constexpr int keyDerivationRounds = 256;

// The fault a failed SQLite call stands for.
StoreFault faultOfResultCode(int resultCode)
{
    switch (resultCode & 0xff) {
    case SQLITE_OK:
    case SQLITE_ROW:
    case SQLITE_DONE:
        return StoreFault::None;
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        return StoreFault::Busy;
    case SQLITE_READONLY:
    case SQLITE_PERM:
        return StoreFault::ReadOnly;
    default:
        return StoreFault::WriteFailed;
    }
}

// Makes every later open and ATTACH use the cheap key derivation the table
// files are written with. Safe to call more than once.
void setDefaultKeyDerivation()
{
    static bool done = false;
    if (done) {
        return;
    }
    sqlite3 *db = nullptr;
    if (sqlite3_open_v2(":memory:", &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr) ==
        SQLITE_OK) {
        const QByteArray sql = QByteArray("PRAGMA cipher_default_kdf_iter = ") +
                               QByteArray::number(keyDerivationRounds);
        done = sqlite3_exec(db, sql.constData(), nullptr, nullptr, nullptr) == SQLITE_OK;
    }
    sqlite3_close(db);
}

} // namespace

Statement::Statement(sqlite3 *db, const QString &sql, const QVariantList &values) : m_db(db)
{
    const QByteArray utf8 = sql.toUtf8();
    m_resultCode = sqlite3_prepare_v2(db, utf8.constData(), int(utf8.size()), &m_stmt, nullptr);
    if (m_resultCode != SQLITE_OK) {
        sqlite3_finalize(m_stmt);
        m_stmt = nullptr;
        m_failed = true;
    }
    for (int i = 0; i < values.size(); ++i) {
        bind(i + 1, values[i]);
    }
}

Statement::~Statement()
{
    sqlite3_finalize(m_stmt);
}

QString Statement::error() const
{
    return QString::fromUtf8(sqlite3_errmsg(m_db));
}

void Statement::bind(int index, const QVariant &value)
{
    if (!m_stmt) {
        return;
    }
    switch (value.typeId()) {
    case QMetaType::UnknownType:
    case QMetaType::Nullptr: // a value set to none on purpose
        sqlite3_bind_null(m_stmt, index);
        break;
    case QMetaType::Bool:
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Long:
    case QMetaType::LongLong:
    case QMetaType::Short:
    case QMetaType::Char:
        sqlite3_bind_int64(m_stmt, index, value.toLongLong());
        break;
    case QMetaType::Double:
    case QMetaType::Float:
        sqlite3_bind_double(m_stmt, index, value.toDouble());
        break;
    case QMetaType::QDate:
        sqlite3_bind_text(
            m_stmt, index,
            value.toDate().toString(QStringLiteral("yyyy-MM-dd 00:00:00")).toUtf8().constData(), -1,
            SQLITE_TRANSIENT);
        break;
    case QMetaType::QDateTime:
        sqlite3_bind_text(
            m_stmt, index,
            value.toDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")).toUtf8().constData(),
            -1, SQLITE_TRANSIENT);
        break;
    default: {
        const QByteArray utf8 = value.toString().toUtf8();
        sqlite3_bind_text(m_stmt, index, utf8.constData(), int(utf8.size()), SQLITE_TRANSIENT);
        break;
    }
    }
}

bool Statement::step()
{
    if (!m_stmt) {
        return false;
    }
    m_resultCode = sqlite3_step(m_stmt);
    if (m_resultCode == SQLITE_ROW) {
        return true;
    }
    m_failed = m_resultCode != SQLITE_DONE;
    return false;
}

void Statement::reset()
{
    if (m_stmt) {
        sqlite3_reset(m_stmt);
        sqlite3_clear_bindings(m_stmt);
    }
    m_failed = !m_stmt;
}

int Statement::columnCount() const
{
    return m_stmt ? sqlite3_column_count(m_stmt) : 0;
}

qint64 Statement::int64At(int column) const
{
    return sqlite3_column_int64(m_stmt, column);
}

double Statement::doubleAt(int column) const
{
    return sqlite3_column_double(m_stmt, column);
}

bool Statement::isTextAt(int column) const
{
    return sqlite3_column_type(m_stmt, column) == SQLITE_TEXT;
}

bool Statement::isNullAt(int column) const
{
    return sqlite3_column_type(m_stmt, column) == SQLITE_NULL;
}

std::string_view Statement::utf8At(int column) const
{
    const auto *text = reinterpret_cast<const char *>(sqlite3_column_text(m_stmt, column));
    return text ? std::string_view(text, size_t(sqlite3_column_bytes(m_stmt, column)))
                : std::string_view();
}

QVariant Statement::valueAt(int column) const
{
    switch (sqlite3_column_type(m_stmt, column)) {
    case SQLITE_INTEGER:
        return QVariant(qint64(sqlite3_column_int64(m_stmt, column)));
    case SQLITE_FLOAT:
        return QVariant(sqlite3_column_double(m_stmt, column));
    case SQLITE_TEXT:
        return QVariant(textAt(column));
    case SQLITE_BLOB:
        return QVariant(QByteArray(static_cast<const char *>(sqlite3_column_blob(m_stmt, column)),
                                   sqlite3_column_bytes(m_stmt, column)));
    default:
        return QVariant();
    }
}

Connection::~Connection()
{
    sqlite3_close(m_db);
}

std::unique_ptr<Connection> Connection::openWithFlags(const QString &path, const QString &key,
                                                      int flags, StoreFault *fault)
{
    setDefaultKeyDerivation();
    sqlite3 *db = nullptr;
    // Each connection is used by one thread only, so it needs no locking of
    // its own on every call.
    flags |= SQLITE_OPEN_NOMUTEX;
    // Only a file held by another program is worth trying again; every other
    // failure to open means the file is missing or is no table file.
    const auto failed = [fault](int resultCode) -> std::unique_ptr<Connection> {
        if (fault) {
            *fault = faultOfResultCode(resultCode) == StoreFault::Busy ? StoreFault::Busy
                                                                       : StoreFault::Unavailable;
        }
        return nullptr;
    };
    if (sqlite3_open_v2(QFile::encodeName(path).constData(), &db, flags, nullptr) != SQLITE_OK) {
        sqlite3_close(db);
        return failed(SQLITE_CANTOPEN);
    }
    std::unique_ptr<Connection> connection(new Connection(db));
    const QByteArray keyBytes = key.toUtf8();
    if (sqlite3_key(db, keyBytes.constData(), int(keyBytes.size())) != SQLITE_OK) {
        return failed(SQLITE_CANTOPEN);
    }
    sqlite3_busy_timeout(db, busyTimeoutMs);
    // Reading the schema is the first access that needs the key: a wrong key
    // or a file that is no database fails there.
    for (const QString &statement :
         {QStringLiteral("PRAGMA kdf_iter = %1").arg(keyDerivationRounds),
          QStringLiteral("SELECT count(*) FROM sqlite_master"),
          QStringLiteral("PRAGMA journal_mode = DELETE"),
          QStringLiteral("PRAGMA synchronous = FULL")}) {
        if (!connection->exec(statement)) {
            return failed(sqlite3_errcode(db));
        }
    }
    if (fault) {
        *fault = StoreFault::None;
    }
    return connection;
}

std::unique_ptr<Connection> Connection::openExisting(const QString &path, const QString &key,
                                                     StoreFault *fault)
{
    return openWithFlags(path, key, SQLITE_OPEN_READWRITE, fault);
}

std::unique_ptr<Connection> Connection::create(const QString &path, const QString &key)
{
    return QFileInfo::exists(path)
               ? nullptr
               : openWithFlags(path, key, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
}

bool Connection::exec(const QString &sql)
{
    return sqlite3_exec(m_db, sql.toUtf8().constData(), nullptr, nullptr, nullptr) == SQLITE_OK;
}

QString Connection::lastError() const
{
    return QString::fromUtf8(sqlite3_errmsg(m_db));
}

qint64 Connection::changes() const
{
    return sqlite3_changes(m_db);
}

StoreFault Connection::lastFault() const
{
    return faultOfResultCode(sqlite3_errcode(m_db));
}

bool Connection::attach(const QString &path, const QString &alias, const QString &key,
                        StoreFault *fault)
{
    const auto failed = [fault](StoreFault why) {
        if (fault) {
            *fault = why == StoreFault::Busy ? StoreFault::Busy : StoreFault::Unavailable;
        }
        return false;
    };
    if (!QFileInfo::exists(path)) {
        return failed(StoreFault::Unavailable);
    }
    Statement attach(m_db,
                     QStringLiteral("ATTACH DATABASE ? AS %1 KEY ?").arg(quoteIdentifier(alias)));
    attach.bind(1, path);
    attach.bind(2, key);
    attach.step();
    if (attach.failed()) {
        return failed(lastFault());
    }
    // The key is only checked when the attached schema is first read.
    if (!exec(
            QStringLiteral("SELECT count(*) FROM %1.sqlite_master").arg(quoteIdentifier(alias)))) {
        const StoreFault why = lastFault();
        exec(QStringLiteral("DETACH DATABASE %1").arg(quoteIdentifier(alias)));
        return failed(why);
    }
    return true;
}

std::unique_ptr<Rows> Connection::query(const QString &sql, const QVariantList &values)
{
    return std::make_unique<Statement>(m_db, sql, values);
}

qint64 Connection::lastInsertId()
{
    return sqlite3_last_insert_rowid(m_db);
}

bool Connection::beginWriting()
{
    // The write lock from the start: two programs can't both read and then
    // fail to write.
    return exec(QStringLiteral("BEGIN IMMEDIATE"));
}

std::optional<QList<DeclaredColumn>> Connection::columnsOf(const QString &database,
                                                           const QString &table)
{
    Statement info(m_db, QStringLiteral("PRAGMA %1.table_info(%2)")
                             .arg(quoteIdentifier(database), quoteIdentifier(table)));
    QList<DeclaredColumn> columns;
    while (info.step()) {
        const QString declared = info.textAt(2);
        // An INTEGER PRIMARY KEY is the rowid itself.
        columns.append({info.textAt(1), declared,
                        info.int64At(5) == 1 &&
                            declared.compare(QLatin1String("INTEGER"), Qt::CaseInsensitive) == 0});
    }
    if (!info.isValid() || info.failed()) {
        return std::nullopt;
    }
    return columns;
}

bool Connection::hasIndexLeadingWith(const QString &table, const QString &field)
{
    Statement indexes(m_db, QStringLiteral("PRAGMA index_list(%1)").arg(quoteIdentifier(table)));
    while (indexes.step()) {
        Statement columns(
            m_db, QStringLiteral("PRAGMA index_info(%1)").arg(quoteIdentifier(indexes.textAt(1))));
        if (columns.step() && columns.textAt(2) == field) {
            return true;
        }
    }
    return false;
}

void Connection::detach(const QString &alias)
{
    exec(QStringLiteral("DETACH DATABASE %1").arg(quoteIdentifier(alias)));
}

QString placeholders(int count)
{
    QStringList marks;
    marks.reserve(count);
    for (int i = 0; i < count; ++i) {
        marks << QStringLiteral("?");
    }
    return marks.join(QLatin1Char(','));
}

QString quoteIdentifier(const QString &name)
{
    QString quoted = name;
    quoted.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

} // namespace kucun::sql
