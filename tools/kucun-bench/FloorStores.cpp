#include "Floors.h"
#include "Measure.h"
#include "store/SqlCipher.h"
#include "store/TableSchema.h"
#include "store/server/ServerSession.h"

#include <QDir>

using namespace kucun;

FileFloors::FileFloors(const QString &folder, const QString &twinFolder)
    : m_folder(folder), m_twinFolder(twinFolder)
{
}

std::shared_ptr<sql::Session> FileFloors::session(Side side, const QStringList &tables) const
{
    const QDir folder(side == Side::Book ? m_folder : m_twinFolder);
    const auto pathOf = [&](const QString &table) {
        return folder.filePath(tables::fileNameOf(table));
    };
    std::shared_ptr<sql::Connection> connection =
        sql::Connection::openExisting(pathOf(tables.first()), tablePassword());
    for (int i = 1; connection && i < tables.size(); ++i) {
        // A statement names the attached tables without their alias.
        if (!connection->attach(pathOf(tables[i]), QStringLiteral("t%1").arg(i), tablePassword())) {
            return nullptr;
        }
    }
    return connection;
}

namespace {

std::shared_ptr<sql::Session> serverSession(const QString &conninfo)
{
    QString failure;
    std::unique_ptr<pg::Connection> connection = pg::Connection::open(conninfo, &failure);
    expect(connection != nullptr, "server floors", failure);
    return std::make_shared<pg::ServerSession>(std::move(connection));
}

} // namespace

ServerFloors::ServerFloors(const QString &conninfo, const QString &twinConninfo)
    : m_book(serverSession(conninfo)), m_twin(serverSession(twinConninfo))
{
}

std::shared_ptr<sql::Session> ServerFloors::session(Side side, const QStringList &) const
{
    return side == Side::Book ? m_book : m_twin;
}

bool ServerFloors::forEachRow(sql::Session &store, const QString &sql,
                              const QVariantList &parameters,
                              const std::function<void(const sql::Rows &)> &row) const
{
    bool read =
        store.exec(QStringLiteral("BEGIN")) &&
        !store.query(QStringLiteral("DECLARE floor_rows NO SCROLL CURSOR FOR ") + sql, parameters)
             ->failed();
    for (qint64 fetched = 1; read && fetched > 0;) {
        const std::unique_ptr<sql::Rows> piece =
            store.query(QStringLiteral("FETCH 10000 FROM floor_rows"));
        for (fetched = 0; piece->step(); ++fetched) {
            row(*piece);
        }
        read = !piece->failed();
    }
    return store.exec(QStringLiteral("COMMIT")) && read;
}
