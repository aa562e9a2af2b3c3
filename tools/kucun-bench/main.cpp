// kucun-bench: writes synthetic table files at shop scale (S) and ten-year
// scale (L), drives the real main window offscreen through the same code a
// click runs, and prints the median time of each user action beside its
// floor: the same rows read with one SQLCipher statement on the same files.
// Every action's visible result is checked against the store; a wrong one
// ends the run with a line saying what was wrong and a non-zero exit. With
// --server the largest size runs a second time on a PostgreSQL server book
// (a cluster of its own, listening on a local socket, its writes synced),
// beside floors read through libpq.

#include "Floors.h"
#include "Measure.h"
#include "Output.h"
#include "SyntheticPrices.h"
#include "SyntheticShop.h"
#include "TimedActions.h"
#include "app/MemoryUse.h"
#include "book/files/BookFolders.h"
#include "book/files/MoveBook.h"
#include "helpers/ServerCluster.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <cstdio>
#include <optional>

using namespace kucun;

namespace {

struct Options
{
    std::vector<Size> sizes;
    QString folder;
    QString csv;
    int runs = 0; // 0: each action's own number of runs
    bool server = false;
};

std::optional<Options> parse(const QStringList &arguments)
{
    Options options;
    bool quick = false;
    QStringList positional;
    for (int i = 1; i < arguments.size(); ++i) {
        if (arguments[i] == QStringLiteral("--quick")) {
            quick = true;
        } else if (arguments[i] == QStringLiteral("--server")) {
            options.server = true;
        } else if (arguments[i] == QStringLiteral("--csv") && i + 1 < arguments.size()) {
            options.csv = arguments[++i];
        } else if (arguments[i] == QStringLiteral("--runs") && i + 1 < arguments.size()) {
            options.runs = arguments[++i].toInt();
            if (options.runs < 1) {
                return std::nullopt;
            }
        } else if (arguments[i] == QStringLiteral("--folder") && i + 1 < arguments.size()) {
            options.folder = arguments[++i];
        } else if (arguments[i].startsWith(QStringLiteral("--"))) {
            return std::nullopt;
        } else {
            positional.append(arguments[i]);
        }
    }
    if (positional.size() >= 2) {
        // MODELS MOVEMENTS [FOLDER]: one size of one's own, in the S column.
        const int models = positional[0].toInt();
        const qint64 movements = positional[1].toLongLong();
        if (models < 100 || movements < 1000) {
            return std::nullopt;
        }
        options.sizes.push_back({QStringLiteral("S"), models, movements});
        if (positional.size() > 2) {
            options.folder = positional[2];
        }
    } else if (!positional.isEmpty()) {
        return std::nullopt;
    } else {
        // S: a shop's first year, its days as busy as L's are in proportion to
        // the models. L: ten years of it, at ten times the models.
        options.sizes.push_back({QStringLiteral("S"), 1000, 10000, 1});
        if (!quick) {
            options.sizes.push_back({QStringLiteral("L"), 10000, 1000000, 10});
        }
    }
    return options;
}

// A server book made from the tables of one size, and its twin for the floors.
struct ServerBook
{
    QString conninfo;
    QString twinConninfo;
};

QString moveToDatabase(ServerCluster &cluster, const QString &folder, const QString &database)
{
    expect(cluster.createDatabase(database), "server", cluster.failure());
    const QString conninfo = cluster.connectionString(database);
    const MoveResult moved = moveBookToServer(bookFoldersAt(folder, folder), conninfo);
    expect(moved.done, "server", moved.error);
    return conninfo;
}

// Copies the book in `folder` into two new databases of the cluster.
ServerBook moveToServer(ServerCluster &cluster, const Size &size, const QString &folder)
{
    QElapsedTimer clock;
    clock.start();
    const QString database = QStringLiteral("kucun_") + size.label.toLower();
    ServerBook book{moveToDatabase(cluster, folder, database),
                    moveToDatabase(cluster, folder, database + QStringLiteral("_twin"))};
    std::printf("%s: the book and its twin moved to the server in %.1f s\n",
                size.label.toUtf8().constData(), double(clock.elapsed()) / 1000);
    std::fflush(stdout);
    return book;
}

// The size again on the server book, the program's own files in a folder of their own.
SizeFigures runOnServer(const ServerBook &server, const Size &size, const QString &folder,
                        const SyntheticShop &shop, int runs)
{
    QDir().mkpath(folder);
    BookFolders book = bookFoldersAt(folder, folder);
    book.server = server.conninfo;
    const ServerFloors floors(server.conninfo, server.twinConninfo);
    return runTimedActions(size, book, floors, shop, runs);
}

} // namespace

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    keepFreedMemoryForReuse();
    QApplication application(argc, argv);
    const std::optional<Options> options = parse(QCoreApplication::arguments());
    if (!options) {
        std::fprintf(stderr, "usage: kucun-bench [--quick] [--runs N] [--csv FILE] [--folder DIR] "
                             "[--server]\n"
                             "       kucun-bench [--server] MODELS MOVEMENTS [FOLDER]\n");
        return 2;
    }

    QTemporaryDir temporary;
    const QString root = options->folder.isEmpty() ? temporary.path() : options->folder;
    std::unique_ptr<ServerCluster> cluster;
    if (options->server) {
        cluster = std::make_unique<ServerCluster>(ServerCluster::Writes::Synced);
        expect(cluster->isRunning(), "server", cluster->failure());
    }
    std::vector<SizeFigures> figures;
    std::optional<SizeFigures> onServer;
    for (const Size &size : options->sizes) {
        const QString folder = QDir(root).filePath(size.label);
        for (const QString &used :
             {folder, folder + QStringLiteral("-twin"), folder + QStringLiteral("-server")}) {
            expect(!QDir(used).exists() || QDir(used).isEmpty(), "tables",
                   used + QStringLiteral(" is not empty"));
        }
        QDir().mkpath(folder);
        QElapsedTimer clock;
        clock.start();
        const SyntheticShop shop =
            writeSyntheticShop(folder, size.models, size.movements, size.years);
        writeSyntheticPrices(folder, shop);
        std::printf("%s: %d models, %lld movements over %d %s (tables written in %.1f s)\n",
                    size.label.toUtf8().constData(), shop.models,
                    static_cast<long long>(shop.movements), size.years,
                    size.years == 1 ? "year" : "years", double(clock.elapsed()) / 1000);
        std::fflush(stdout);
        // The floors write on a twin of the tables.
        const QString twin = folder + QStringLiteral("-twin");
        QDir().mkpath(twin);
        for (const QString &file : QDir(folder).entryList(QDir::Files)) {
            QFile::copy(QDir(folder).filePath(file), QDir(twin).filePath(file));
        }
        // The server gets the tables before the file run changes them, and
        // runs after it.
        std::optional<ServerBook> server;
        if (cluster && &size == &options->sizes.back()) {
            server = moveToServer(*cluster, size, folder);
        }
        const FileFloors floors(folder, twin);
        figures.push_back(
            runTimedActions(size, bookFoldersAt(folder, folder), floors, shop, options->runs));
        if (server) {
            onServer =
                runOnServer(*server, size, folder + QStringLiteral("-server"), shop, options->runs);
        }
    }
    printTable(figures, options->csv);
    if (onServer) {
        printServerTable(figures.back(), *onServer, options->csv);
    }
    return 0;
}
