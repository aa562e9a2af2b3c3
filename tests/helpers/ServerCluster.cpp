#include "ServerCluster.h"

#include "store/server/PgConnection.h"
#include "store/server/ServerSchema.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <iterator>
#include <pwd.h>
#include <signal.h>
#include <sys/types.h>
#include <unistd.h>

namespace kucun {

namespace {

constexpr int kPort = 5432;
constexpr int kLimitMs = 60'000; // per program
// The superuser of the cluster, and as root the user the server programs run as.
const QString kUser = QStringLiteral("postgres");

// The postmasters this program started, for the crash handler: it may only read
// lock-free atomics and call async-signal-safe functions.
std::atomic<pid_t> postmasters[4];
static_assert(std::atomic<pid_t>::is_always_lock_free);

constexpr int kFatalSignals[] = {SIGABRT, SIGSEGV, SIGBUS, SIGILL, SIGFPE, SIGINT, SIGTERM};
struct sigaction previousActions[std::size(kFatalSignals)];

// Takes the postmasters down with the program (SIGQUIT: immediate shutdown), then
// gives the signal back to the handler that was there before, or the default.
extern "C" void stopPostmastersAndDie(int signal)
{
    for (auto &pid : postmasters) {
        const pid_t postmaster = pid.load();
        if (postmaster > 0)
            ::kill(postmaster, SIGQUIT);
    }
    for (std::size_t i = 0; i < std::size(kFatalSignals); ++i) {
        if (kFatalSignals[i] == signal)
            ::sigaction(signal, &previousActions[i], nullptr);
    }
    ::raise(signal);
}

void installCrashHandler()
{
    static const bool installed = [] {
        for (std::size_t i = 0; i < std::size(kFatalSignals); ++i) {
            ::sigaction(kFatalSignals[i], nullptr, &previousActions[i]);
            if (previousActions[i].sa_handler == SIG_IGN)
                continue; // an ignored Ctrl-C stays ignored
            struct sigaction action = {};
            action.sa_handler = stopPostmastersAndDie;
            sigemptyset(&action.sa_mask);
            ::sigaction(kFatalSignals[i], &action, nullptr);
        }
        return true;
    }();
    Q_UNUSED(installed);
}

// Holds pid for the crash handler; the slot, or -1 when all are taken.
int holdPostmaster(pid_t pid)
{
    installCrashHandler();
    for (int i = 0; i < int(std::size(postmasters)); ++i) {
        pid_t empty = 0;
        if (postmasters[i].compare_exchange_strong(empty, pid))
            return i;
    }
    return -1;
}

bool runningAsRoot()
{
    return ::geteuid() == 0;
}

// A value of a libpq connection string, quoted when it needs to be.
QString conninfoValue(const QString &value)
{
    if (!value.isEmpty() && !value.contains(QLatin1Char(' ')) &&
        !value.contains(QLatin1Char('\'')) && !value.contains(QLatin1Char('\\')))
        return value;
    QString quoted = value;
    quoted.replace(QStringLiteral("\\"), QStringLiteral("\\\\"));
    quoted.replace(QStringLiteral("'"), QStringLiteral("\\'"));
    return QLatin1Char('\'') + quoted + QLatin1Char('\'');
}

} // namespace

ServerCluster::ServerCluster()
{
    if (!start())
        stop();
}

ServerCluster::~ServerCluster()
{
    stop();
}

bool ServerCluster::isRunning() const
{
    return running_;
}

QString ServerCluster::failure() const
{
    return failure_;
}

QString ServerCluster::connectionString(const QString &database) const
{
    const QString host = folder_ ? folder_->path() : QString();
    return QStringLiteral("host=%1 port=%2 dbname=%3 user=%4")
        .arg(conninfoValue(host), QString::number(kPort), conninfoValue(database), kUser);
}

bool ServerCluster::createDatabase(const QString &name)
{
    // template0, so that no session on template1 can stand in the way
    return isRunning() &&
           run(As::Client, QStringLiteral("createdb"),
               {QStringLiteral("-h"), folder_->path(), QStringLiteral("-p"), QString::number(kPort),
                QStringLiteral("-U"), kUser, QStringLiteral("-T"), QStringLiteral("template0"),
                QStringLiteral("--"), name});
}

bool ServerCluster::dropDatabase(const QString &name)
{
    // --force: a test that failed half-way may have left its connection open
    return isRunning() && run(As::Client, QStringLiteral("dropdb"),
                              {QStringLiteral("-h"), folder_->path(), QStringLiteral("-p"),
                               QString::number(kPort), QStringLiteral("-U"), kUser,
                               QStringLiteral("--force"), QStringLiteral("--"), name});
}

QString ServerCluster::createBook(const QString &database)
{
    if (!createDatabase(database)) {
        return {};
    }
    const QString conninfo = connectionString(database);
    const auto connection = pg::Connection::open(conninfo, &failure_);
    return connection && createServerBook(*connection, &failure_) ? conninfo : QString();
}

QString ServerCluster::dataDir() const
{
    return folder_->filePath(QStringLiteral("data"));
}

QString ServerCluster::logFile() const
{
    return folder_->filePath(QStringLiteral("server.log"));
}

bool ServerCluster::start()
{
    // The socket's path must fit a sockaddr_un (107 bytes); as root the folder must be
    // reachable by postgres, which a root-only TMPDIR is not.
    QString base = QDir::tempPath();
    if (runningAsRoot() || base.toUtf8().size() > 60)
        base = QStringLiteral("/tmp");
    folder_ = std::make_unique<QTemporaryDir>(base + QStringLiteral("/kucun-pg-XXXXXX"));
    if (!folder_->isValid()) {
        failure_ =
            QStringLiteral("cannot make a folder in %1: %2").arg(base, folder_->errorString());
        return false;
    }
    if (runningAsRoot()) {
        const passwd *user = ::getpwnam(qPrintable(kUser));
        if (!user) {
            failure_ = QStringLiteral("no user %1 to run the server as").arg(kUser);
            return false;
        }
        if (::chown(QFile::encodeName(folder_->path()).constData(), user->pw_uid, user->pw_gid) !=
            0) {
            failure_ =
                QStringLiteral("cannot give %1 to %2: %3")
                    .arg(folder_->path(), kUser, QString::fromLocal8Bit(std::strerror(errno)));
            return false;
        }
    }

    // Debian keeps the server programs off PATH; pg_config names their folder.
    QProcess config;
    config.start(QStringLiteral("pg_config"), {QStringLiteral("--bindir")});
    if (!config.waitForFinished(kLimitMs) || config.exitCode() != 0) {
        failure_ = QStringLiteral("pg_config --bindir failed: %1")
                       .arg(config.errorString() + QString::fromLocal8Bit(config.readAll()));
        return false;
    }
    bin_ = QString::fromLocal8Bit(config.readAllStandardOutput()).trimmed();

    if (!run(As::Server, QStringLiteral("initdb"),
             {QStringLiteral("-D"), dataDir(), QStringLiteral("-U"), kUser,
              QStringLiteral("--auth=trust"), QStringLiteral("--encoding=UTF8"),
              QStringLiteral("--locale=C"), QStringLiteral("--no-sync"),
              QStringLiteral("--no-instructions")}))
        return false;

    // pg_ctl hands -o to a shell: the folder is quoted there.
    const QString options =
        QStringLiteral("-c listen_addresses='' -k '%1' -c fsync=off").arg(folder_->path());
    running_ = run(As::Server, QStringLiteral("pg_ctl"),
                   {QStringLiteral("start"), QStringLiteral("-w"), QStringLiteral("-t"),
                    QString::number(kLimitMs / 1000 - 10), QStringLiteral("-D"), dataDir(),
                    QStringLiteral("-l"), logFile(), QStringLiteral("-o"), options});
    // Even a start that timed out may have left a postmaster: hold it for the crash handler.
    QFile pidFile(QDir(dataDir()).filePath(QStringLiteral("postmaster.pid")));
    if (pidFile.open(QIODevice::ReadOnly)) {
        const pid_t pid = pid_t(pidFile.readLine().trimmed().toLong());
        if (pid > 0)
            slot_ = holdPostmaster(pid);
    }
    if (!running_) {
        QFile log(logFile());
        if (log.open(QIODevice::ReadOnly))
            failure_ += QStringLiteral("\nserver log:\n") + QString::fromLocal8Bit(log.readAll());
    }
    return running_;
}

void ServerCluster::stop()
{
    if (folder_ && folder_->isValid() &&
        QFile::exists(QDir(dataDir()).filePath(QStringLiteral("postmaster.pid")))) {
        const auto stopWith = [this](const QString &mode) {
            return run(As::Server, QStringLiteral("pg_ctl"),
                       {QStringLiteral("stop"), QStringLiteral("-w"), QStringLiteral("-t"),
                        QString::number(kLimitMs / 1000 - 10), QStringLiteral("-D"), dataDir(),
                        QStringLiteral("-m"), mode});
        };
        if (!stopWith(QStringLiteral("fast")) && !stopWith(QStringLiteral("immediate"))) {
            if (slot_ != -1 && postmasters[slot_].load() > 0)
                ::kill(postmasters[slot_].load(), SIGKILL);
            qWarning("kucun::ServerCluster: could not stop the server: %s", qPrintable(failure_));
        }
    }
    if (slot_ != -1)
        postmasters[slot_].store(0);
    slot_ = -1;
    running_ = false;
    folder_.reset(); // removes the folder
}

bool ServerCluster::run(As as, const QString &program, const QStringList &arguments)
{
    QString path = QDir(bin_).filePath(program);
    QStringList args = arguments;
    if (as == As::Server && runningAsRoot()) {
        args = QStringList{QStringLiteral("-u"), kUser, QStringLiteral("--"), path} + args;
        path = QStandardPaths::findExecutable(QStringLiteral("runuser"));
        if (path.isEmpty())
            path = QStandardPaths::findExecutable(
                QStringLiteral("runuser"), {QStringLiteral("/usr/sbin"), QStringLiteral("/sbin")});
    }
    QProcess process;
    // Only the arguments choose the cluster: no PGHOST, PGDATA, ... of the caller.
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    const QStringList names = environment.keys();
    for (const QString &name : names) {
        if (name.startsWith(QLatin1String("PG")))
            environment.remove(name);
    }
    process.setProcessEnvironment(environment);
    process.setWorkingDirectory(folder_->path()); // one the server's user may enter
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(path, args);
    const bool finished = process.waitForFinished(kLimitMs);
    if (!finished && process.state() != QProcess::NotRunning) {
        process.kill();
        process.waitForFinished(kLimitMs);
    }
    const QString output = QString::fromLocal8Bit(process.readAll());
    if (finished && process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0)
        return true;
    const QString command = (QStringList{path} + args).join(QLatin1Char(' '));
    if (!finished)
        failure_ = QStringLiteral("%1: no end after %2 s\n%3")
                       .arg(command)
                       .arg(kLimitMs / 1000)
                       .arg(output);
    else if (process.error() == QProcess::FailedToStart)
        failure_ = QStringLiteral("%1: %2").arg(command, process.errorString());
    else
        failure_ = QStringLiteral("%1 failed:\n%2").arg(command, output);
    return false;
}

} // namespace kucun
