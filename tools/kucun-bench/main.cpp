// kucun-bench: builds synthetic table files, drives the real main window
// offscreen and prints how long each user action takes and the memory used.

#include "SyntheticShop.h"
#include "app/MainWindow.h"
#include "ui/Dialogs.h"
#include "ui/ListView.h"
#include "ui/RollUpMenu.h"

#include <QApplication>
#include <QDateEdit>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <cstdio>

using namespace kucun;

namespace {

// Answers every box with OK and counts them, so nothing waits for a person.
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

void report(const char *action, qint64 ms, const QString &detail = {})
{
    std::printf("| %-28s | %8lld | %6ld | %s\n", action, static_cast<long long>(ms),
                peakMemoryMiB(), detail.toLocal8Bit().constData());
    std::fflush(stdout);
}

template <typename Action>
void timed(const char *name, Action &&action, const std::function<QString()> &detail = {})
{
    QElapsedTimer clock;
    clock.start();
    action();
    QCoreApplication::processEvents();
    report(name, clock.elapsed(), detail ? detail() : QString());
}

} // namespace

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    const int models = arguments.size() > 1 ? arguments[1].toInt() : 10000;
    const int movements = arguments.size() > 2 ? arguments[2].toInt() : 1000000;

    // A third argument names a folder to write the tables into and keep.
    QTemporaryDir temporary;
    const QString workPath = arguments.size() > 3 ? arguments[3] : temporary.path();
    QDir().mkpath(workPath);
    QDir::setCurrent(workPath);
    struct
    {
        QString path() const { return dir; }
        QString dir;
    } work{workPath};
    QElapsedTimer clock;
    clock.start();
    const SyntheticShop shop = writeSyntheticShop(work.path(), models, movements);
    std::printf("kucun-bench: %d models, %d movements (tables written in %lld ms)\n\n", models,
                movements, static_cast<long long>(clock.elapsed()));
    std::printf("| %-28s | %8s | %6s | %s\n", "action", "ms", "MiB", "result");
    std::printf("|------------------------------|----------|--------|--------\n");

    SilentDialogs dialogs;
    std::unique_ptr<MainWindow> window;
    timed("start-up", [&] {
        window = std::make_unique<MainWindow>(dialogs, work.path());
        QCoreApplication::processEvents();
    });
    const QWidget &w = *window;
    auto *dayLog = find<ListView>(w, "超级列表框日志");
    auto *results = find<ListView>(w, "超级列表框明细");
    auto *modelsList = find<ListView>(w, "超级列表框进销");
    const auto rows = [](const ListView *list) {
        return [list] { return QStringLiteral("%1 rows").arg(list->rowCount()); };
    };

    timed(
        "choose a day", [&] { find<QDateEdit>(w, "日期框进销")->setDate(shop.busyDay); },
        rows(dayLog));
    timed(
        "choose an item", [&] { find<RollUpMenu>(w, "卷帘式菜单1")->chooseItem(0, 0); },
        rows(modelsList));
    modelsList->selectRow(0);
    find<QLineEdit>(w, "编辑框入库")->setText(QStringLiteral("5"));
    timed(
        "book stock in", [&] { find<QPushButton>(w, "按钮入库")->click(); },
        [&] { return dialogs.lastMessage.isEmpty() ? QStringLiteral("ok") : dialogs.lastMessage; });
    find<QLineEdit>(w, "编辑框关键字")->setText(QString());
    timed(
        "keyword search, all match", [&] { find<QPushButton>(w, "按钮模糊搜索")->click(); },
        rows(results));
    find<QDateEdit>(w, "日期框明细起")->setDate(shop.firstDay);
    find<QDateEdit>(w, "日期框明细止")->setDate(shop.lastDay);
    timed(
        "date search, all match", [&] { find<QPushButton>(w, "按钮日期搜索")->click(); },
        rows(results));
    const int selected = std::min(1000, results->rowCount());
    results->selectionModel()->select(
        QItemSelection(results->model()->index(0, 0), results->model()->index(selected - 1, 0)),
        QItemSelectionModel::Select | QItemSelectionModel::Rows);
    timed(
        "delete 1000 rows and reload", [&] { find<QPushButton>(w, "按钮删除选中")->click(); },
        rows(results));
    return 0;
}
