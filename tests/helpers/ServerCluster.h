#pragma once

#include <QString>
#include <QStringList>
#include <QTemporaryDir>

namespace kucun {

// A PostgreSQL cluster of its own for one test program: made in a temporary
// folder, listening only on a Unix socket there, stopped and removed when
// this object dies.
//
// initdb and postgres refuse to run as root: as root the server programs run
// as the unprivileged user postgres, which then owns the folder. A crash of
// the test program (abort, segfault, Ctrl-C) sends the postmaster SIGQUIT
// before the program dies, so no server outlives it.
class ServerCluster
{
public:
    enum class Writes
    {
        Unsynced, // tests: a crash may lose the cluster, and it is thrown away anyway
        Synced,   // as a shop's server keeps them: figures of real commits
    };
    // initdb and start; isRunning() says whether it did.
    explicit ServerCluster(Writes writes = Writes::Unsynced);
    ~ServerCluster();
    ServerCluster(const ServerCluster &) = delete;
    ServerCluster &operator=(const ServerCluster &) = delete;

    bool isRunning() const { return m_running; }
    // Why the last step failed: the command and its output.
    QString failure() const { return m_failure; }
    // A libpq connection string to a database of the cluster.
    QString connectionString(const QString &database) const;
    // Makes an empty database; false with failure() when it can't.
    bool createDatabase(const QString &name);
    // Makes an empty server book in a new database: the connection string
    // of the book, or empty with failure() when it can't.
    QString createBook(const QString &database);

private:
    enum class As
    {
        Server, // the cluster's owner
        Client,
    };
    bool start(Writes writes);
    void stop();
    bool run(As as, const QString &program, const QStringList &arguments);
    QString dataFolder() const { return m_folder.filePath(QStringLiteral("data")); }

    QTemporaryDir m_folder{QStringLiteral("/tmp/kucun-pg-XXXXXX")};
    QString m_programs; // the server programs' folder
    QString m_failure;
    bool m_running = false;
};

} // namespace kucun
