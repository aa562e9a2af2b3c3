// kucun-bench: writes synthetic table files at shop scale (S) and ten-year
// scale (L), drives the real main window offscreen through the same code a
// click runs, and prints the median time of each user action beside its
// floor: the same rows read with one SQLCipher statement on the same files.
// Every action's visible result is checked against the store; a wrong one
// ends the run with a line saying what was wrong and a non-zero exit.

#include "Measure.h"
#include "Output.h"
#include "SyntheticPrices.h"
#include "SyntheticShop.h"
#include "TimedActions.h"
#include "app/MemoryUse.h"

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
};

std::optional<Options> parse(const QStringList &arguments)
{
    Options options;
    bool quick = false;
    QStringList positional;
    for (int i = 1; i < arguments.size(); ++i) {
        if (arguments[i] == QStringLiteral("--quick")) {
            quick = true;
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

} // namespace

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    keepFreedMemoryForReuse();
    QApplication application(argc, argv);
    const std::optional<Options> options = parse(QCoreApplication::arguments());
    if (!options) {
        std::fprintf(stderr, "usage: kucun-bench [--quick] [--runs N] [--csv FILE] [--folder DIR]\n"
                             "       kucun-bench MODELS MOVEMENTS [FOLDER]\n");
        return 2;
    }

    QTemporaryDir temporary;
    const QString root = options->folder.isEmpty() ? temporary.path() : options->folder;
    std::vector<SizeFigures> figures;
    for (const Size &size : options->sizes) {
        const QString folder = QDir(root).filePath(size.label);
        for (const QString &used : {folder, folder + QStringLiteral("-twin")}) {
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
        figures.push_back(runTimedActions(size, folder, twin, shop, options->runs));
    }
    printTable(figures, options->csv);
    return 0;
}
