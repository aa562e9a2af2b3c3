#include "ServerCluster.h"

#include "store/server/PgConnection.h"
#include "store/server/ServerSchema.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <atomic>
#include <csignal>
#include <pwd.h>
#include <unistd.h>

namespace kucun {

namespace {

constexpr int limitMs = 60'000; // for each program run
// The cluster's superuser, and as root the user its programs run as.
const QString owner = QStringLiteral("postgres");

// The postmaster, for the crash handler, which may only read a lock-free
// atomic and call async-signal-safe functions.
std::atomic<pid_t> postmaster{0};
constexpr int fatalSignals[] = {SIGABRT, SIGSEGV, SIGBUS, SIGILL, SIGFPE, SIGINT, SIGTERM};

extern "C" void stopPostmasterAndDie(int signal)
{
    if (const pid_t pid = postmaster.load(); pid > 0) {
        ::kill(pid, SIGQUIT); // the server's immediate shutdown
    }
    std::signal(signal, SIG_DFL);
    std::raise(signal);
}

void watchForCrashes(pid_t pid)
{
    postmaster.store(pid);
    for (const int signal : fatalSignals) {
        // An ignored Ctrl-C stays ignored.
        if (std::signal(signal, stopPostmasterAndDie) == SIG_IGN) {
            std::signal(signal, SIG_IGN);
        }
    }
}

bool runningAsRoot()
{
    return ::geteuid() == 0;
}

} // namespace

ServerCluster::ServerCluster(Writes writes)
{
    m_running = start(writes);
}

ServerCluster::~ServerCluster()
{
    stop();
}

QString ServerCluster::connectionString(const QString &database) const
{
    return QStringLiteral("host=%1 port=5432 dbname=%2 user=%3")
        .arg(m_folder.path(), database, owner);
}

bool ServerCluster::createDatabase(const QString &name)
{
    // From template0, so that no session on template1 can stand in the way.
    return m_running &&
           run(As::Client, QStringLiteral("createdb"),
               {QStringLiteral("-h"), m_folder.path(), QStringLiteral("-U"), owner,
                QStringLiteral("-T"), QStringLiteral("template0"), QStringLiteral("--"), name});
}

QString ServerCluster::createBook(const QString &database)
{
    if (!createDatabase(database)) {
        return {};
    }
    const QString conninfo = connectionString(database);
    const auto connection = pg::Connection::open(conninfo, &m_failure);
    return connection && createServerBook(*connection, &m_failure) ? conninfo : QString();
}

bool ServerCluster::start(Writes writes)
{
    if (!m_folder.isValid()) {
        m_failure = QStringLiteral("no temporary folder: ") + m_folder.errorString();
        return false;
    }
    if (runningAsRoot()) {
        const passwd *user = ::getpwnam(qPrintable(owner));
        if (!user || ::chown(QFile::encodeName(m_folder.path()).constData(), user->pw_uid,
                             user->pw_gid) != 0) {
            m_failure = QStringLiteral("can't give the cluster folder to ") + owner;
            return false;
        }
    }
    // Debian keeps the server programs off PATH; pg_config names their folder.
    QProcess config;
    config.start(QStringLiteral("pg_config"), {QStringLiteral("--bindir")});
    if (!config.waitForFinished(limitMs) || config.exitCode() != 0) {
        m_failure = QStringLiteral("pg_config --bindir failed: ") + config.errorString();
        return false;
    }
    m_programs = QString::fromLocal8Bit(config.readAllStandardOutput()).trimmed();
    if (!run(As::Server, QStringLiteral("initdb"),
             {QStringLiteral("-D"), dataFolder(), QStringLiteral("-U"), owner,
              QStringLiteral("--auth=trust"), QStringLiteral("--encoding=UTF8"),
              QStringLiteral("--locale=C"), QStringLiteral("--no-sync")})) {
        return false;
    }
    // pg_ctl hands -o to a shell, hence the quotes around the folder.
    const bool started =
        run(As::Server, QStringLiteral("pg_ctl"),
            {QStringLiteral("start"), QStringLiteral("-w"), QStringLiteral("-D"), dataFolder(),
             QStringLiteral("-l"), m_folder.filePath(QStringLiteral("server.log")),
             QStringLiteral("-o"),
             QStringLiteral("-c listen_addresses='' -k '%1' -c fsync=%2")
                 .arg(m_folder.path(),
                      writes == Writes::Synced ? QStringLiteral("on") : QStringLiteral("off"))});
    // Even a start that failed may have left a postmaster behind.
    QFile pidFile(QDir(dataFolder()).filePath(QStringLiteral("postmaster.pid")));
    if (pidFile.open(QIODevice::ReadOnly)) {
        watchForCrashes(pid_t(pidFile.readLine().trimmed().toLong()));
    }
    return started;
}

void ServerCluster::stop()
{
    if (postmaster.load() > 0) {
        for (const QString &mode : {QStringLiteral("fast"), QStringLiteral("immediate")}) {
            if (run(As::Server, QStringLiteral("pg_ctl"),
                    {QStringLiteral("stop"), QStringLiteral("-w"), QStringLiteral("-D"),
                     dataFolder(), QStringLiteral("-m"), mode})) {
                break;
            }
        }
        postmaster.store(0);
    }
    m_running = false;
}

bool ServerCluster::run(As as, const QString &program, const QStringList &arguments)
{
    QString path = QDir(m_programs).filePath(program);
    QStringList all = arguments;
    if (as == As::Server && runningAsRoot()) {
        all = QStringList{QStringLiteral("-u"), owner, QStringLiteral("--"), path} + arguments;
        path = QStringLiteral("/usr/sbin/runuser");
    }
    QProcess process;
    // Only the arguments choose the cluster: no PGHOST or PGDATA of the caller.
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const QString &name : environment.keys()) {
        if (name.startsWith(QLatin1String("PG"))) {
            environment.remove(name);
        }
    }
    process.setProcessEnvironment(environment);
    process.setWorkingDirectory(m_folder.path()); // one the server's user may enter
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(path, all);
    const bool finished = process.waitForFinished(limitMs);
    if (finished && process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0) {
        return true;
    }
    process.kill();
    process.waitForFinished(limitMs);
    m_failure = QStringLiteral("%1 %2 failed: %3%4")
                    .arg(path, all.join(QLatin1Char(' ')), process.errorString(),
                         QString::fromLocal8Bit(process.readAll()));
    return false;
}

} // namespace kucun
