#pragma once

#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <memory>

namespace kucun {

// A PostgreSQL cluster of its own for one test program: made in a temporary folder,
// listening only on a Unix socket there, stopped and removed when this object dies.
//
// initdb and postgres refuse to run as root: as root the server programs run as the
// unprivileged user postgres, which owns the folder. A crash of the test program
// (abort, segfault, Ctrl-C) sends the postmaster SIGQUIT before the program dies.
class ServerCluster
{
public:
    ServerCluster();  // initdb + start; never throws
    ~ServerCluster(); // stop (fast, then immediate), remove the folder
    ServerCluster(const ServerCluster &) = delete;
    ServerCluster &operator=(const ServerCluster &) = delete;

    bool isRunning() const;
    QString failure() const; // why it is not running: the program's output
    // A libpq connection string to a database of the cluster, e.g.
    // "host=/tmp/kucun-pg-XXXX port=5432 dbname=postgres user=postgres"
    QString connectionString(const QString &database = QStringLiteral("postgres")) const;
    // Makes an empty database (for one test case); false with failure() when it can't.
    bool createDatabase(const QString &name);
    // Drops a database, closing the connections still open to it.
    bool dropDatabase(const QString &name);
    // Makes an empty server book in a new database: the connection string
    // of the book, or empty with failure() when it can't.
    QString createBook(const QString &database);

private:
    enum class As
    {
        Server,
        Client
    };
    bool run(As as, const QString &program, const QStringList &arguments);
    bool start();
    void stop();
    QString dataDir() const;
    QString logFile() const;

    std::unique_ptr<QTemporaryDir> folder_;
    QString bin_; // the folder of the server programs
    QString failure_;
    bool running_ = false;
    int slot_ = -1; // the crash handler's slot holding the postmaster's pid
};

} // namespace kucun
