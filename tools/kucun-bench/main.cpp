// kucun-bench: builds synthetic table files, drives the real main window
// offscreen through the same handlers a click runs, and prints how long each
// user action takes, beside the floor the store allows, and the memory used.

#include "Floors.h"
#include "SyntheticShop.h"
#include "app/MainWindow.h"
#include "app/MemoryUse.h"
#include "store/TableSchema.h"
#include "ui/Dialogs.h"
#include "ui/ListView.h"
#include "ui/RollUpMenu.h"

#include <QApplication>
#include <QDateEdit>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <functional>

using namespace kucun;

namespace {

// Answers every box with OK and remembers the last text, so nothing waits for a person.
class SilentDialogs : public Dialogs
{
public:
    bool message(const QString &text, const QString &, int, Buttons) override
    {
        lastMessage = text;
        return true;
    }
    std::optional<QString> input(const QString &, const QString &, const QString &, bool) override
    {
        return std::nullopt;
    }
    QString lastMessage;
};

// Peak resident memory of this process in MiB.
long peakMemoryMiB()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly)) {
        return -1;
    }
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmHWM:")) {
            return line.mid(6).trimmed().split(' ').first().toLong() / 1024;
        }
    }
    return -1;
}

template <typename T> T *find(const QWidget &window, const char *name)
{
    return window.findChild<T *>(QString::fromUtf8(name));
}

// Runs an action and the events it posts; milliseconds.
template <typename Action> double timed(Action &&action)
{
    QElapsedTimer clock;
    clock.start();
    action();
    QCoreApplication::processEvents();
    return double(clock.nsecsElapsed()) / 1e6;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}

void printHeader()
{
    std::printf("| %-38s | %9s | %9s | %5s | %6s | %s\n", "action", "ms", "floor ms", "ratio",
                "MiB", "result");
    std::printf(
        "|----------------------------------------|-----------|-----------|-------|--------|"
        "--------\n");
}

void report(const char *action, double ms, const QString &result, double floorMs = -1)
{
    const QByteArray floor = floorMs < 0 ? QByteArray() : QByteArray::number(floorMs, 'f', 1);
    const QByteArray ratio = floorMs <= 0 ? QByteArray() : QByteArray::number(ms / floorMs, 'f', 2);
    std::printf("| %-38s | %9.1f | %9s | %5s | %6ld | %s\n", action, ms, floor.constData(),
                ratio.constData(), peakMemoryMiB(), result.toUtf8().constData());
    std::fflush(stdout);
}

QString rows(const ListView *list)
{
    return QStringLiteral("%1 rows").arg(list->rowCount());
}

// Presses a key on a list and paints the rows it then shows; milliseconds.
double pressAndPaint(ListView *list, Qt::Key key, Qt::KeyboardModifiers modifiers = {})
{
    return timed([&] {
        QKeyEvent press(QEvent::KeyPress, key, modifiers);
        QCoreApplication::sendEvent(list, &press);
        list->viewport()->repaint();
    });
}

} // namespace

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    keepFreedMemoryForReuse();
    QApplication application(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    const int models = arguments.size() > 1 ? arguments[1].toInt() : 10000;
    const int movements = arguments.size() > 2 ? arguments[2].toInt() : 1000000;

    // A third argument names a folder to write the tables into and keep.
    QTemporaryDir temporary;
    const QString workPath = arguments.size() > 3 ? arguments[3] : temporary.path();
    QDir().mkpath(workPath);
    QDir::setCurrent(workPath);
    QElapsedTimer clock;
    clock.start();
    const SyntheticShop shop = writeSyntheticShop(workPath, models, movements);
    std::printf("kucun-bench: %d models, %d movements (tables written in %lld ms)\n\n", models,
                movements, static_cast<long long>(clock.elapsed()));
    printHeader();
    const QString logPath = QDir(workPath).filePath(tables::fileNameOf(tables::明细));

    SilentDialogs dialogs;
    std::unique_ptr<MainWindow> window;
    report("start-up", timed([&] {
               window = std::make_unique<MainWindow>(dialogs, workPath);
               window->show();
           }),
           QString());
    const QWidget &w = *window;
    auto *dayLog = find<ListView>(w, "超级列表框日志");
    auto *results = find<ListView>(w, "超级列表框明细");
    auto *modelList = find<ListView>(w, "超级列表框进销");
    auto *menu = find<RollUpMenu>(w, "卷帘式菜单1");

    std::vector<double> days;
    for (int i = 0; i < 9; ++i) {
        days.push_back(
            timed([&] { find<QDateEdit>(w, "日期框进销")->setDate(shop.busyDay.addDays(i % 2)); }));
    }
    report("choose a day (median of 9)", median(days), rows(dayLog));
    std::vector<double> items;
    for (int i = 0; i < 9; ++i) {
        items.push_back(timed([&] { menu->chooseItem(i % 2, 0); }));
    }
    report("choose an item (median of 9)", median(items), rows(modelList));

    std::vector<double> bookings;
    for (int i = 0; i < 15; ++i) {
        modelList->selectRow(0);
        find<QLineEdit>(w, "编辑框入库")->setText(QStringLiteral("5"));
        bookings.push_back(timed([&] { find<QPushButton>(w, "按钮入库")->click(); }));
    }
    report("book stock in, reloads (median 15)", median(bookings),
           dialogs.lastMessage.isEmpty() ? QStringLiteral("ok") : dialogs.lastMessage);

    find<QTabWidget>(w, "高级选择夹1")->setCurrentIndex(1);
    QCoreApplication::processEvents();
    // Each search runs three times beside its floor, taking turns; medians.
    const auto search = [&](const char *button, const std::function<double(qint64 *)> &floor,
                            double *floorMs, qint64 *floorRows) {
        std::vector<double> ours, floors;
        for (int run = 0; run < 3; ++run) {
            floors.push_back(floor(floorRows));
            ours.push_back(timed([&] { find<QPushButton>(w, button)->click(); }));
        }
        *floorMs = median(floors);
        return median(ours);
    };
    qint64 floorRows = 0;
    double floorMs = 0;
    find<QLineEdit>(w, "编辑框关键字")->setText(QString());
    const double keyword = search(
        "按钮模糊搜索",
        [&](qint64 *rows) { return keywordSearchFloorMs(logPath, QString(), rows); }, &floorMs,
        &floorRows);
    report("keyword search, all match (median 3)", keyword,
           rows(results) + QStringLiteral(", floor read %1").arg(floorRows), floorMs);

    find<QDateEdit>(w, "日期框明细起")->setDate(shop.firstDay);
    find<QDateEdit>(w, "日期框明细止")->setDate(shop.lastDay);
    const double dates = search(
        "按钮日期搜索",
        [&](qint64 *rows) { return dateSearchFloorMs(logPath, shop.firstDay, shop.lastDay, rows); },
        &floorMs, &floorRows);
    report("date search, all match (median 3)", dates,
           rows(results) + QStringLiteral(", floor read %1").arg(floorRows), floorMs);

    // Page Down from the top to the bottom of the full list, painting each page.
    results->setFocus();
    results->selectRow(0);
    double longestPress = 0;
    int longestAt = 0;
    int presses = 0;
    const double scrolling = timed([&] {
        while (results->currentIndex().row() < results->rowCount() - 1) {
            const int from = results->currentIndex().row();
            const double press = pressAndPaint(results, Qt::Key_PageDown);
            if (press > longestPress) {
                longestPress = press;
                longestAt = from;
            }
            ++presses;
        }
    });
    report("Page Down to the end: longest", longestPress,
           QStringLiteral("from row %1; %2 presses in %3 s")
               .arg(longestAt)
               .arg(presses)
               .arg(scrolling / 1000, 0, 'f', 1));
    report("Ctrl+Home", pressAndPaint(results, Qt::Key_Home, Qt::ControlModifier), QString());

    const int selected = std::min(1000, results->rowCount());
    results->selectionModel()->select(
        QItemSelection(results->model()->index(0, 0), results->model()->index(selected - 1, 0)),
        QItemSelectionModel::Select | QItemSelectionModel::Rows);
    const double deletion = timed([&] { find<QPushButton>(w, "按钮删除选中")->click(); });
    report("delete 1000 rows and search again", deletion,
           rows(results) + QLatin1Char(' ') + dialogs.lastMessage);
    return 0;
}
