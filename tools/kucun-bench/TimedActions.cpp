#include "TimedActions.h"

#include "Floors.h"
#include "SyntheticPrices.h"
#include "SyntheticShop.h"
#include "app/MainWindow.h"
#include "app/MemoryUse.h"
#include "app/reports/ReportPage.h"
#include "app/stocktake/StocktakeWindow.h"
#include "book/ChangeNotifier.h"
#include "book/Gb18030.h"
#include "book/ValueText.h"
#include "book/backup/BackupSettings.h"
#include "book/backup/Backups.h"
#include "book/catalogue/CatalogueReads.h"
#include "book/codes/Barcodes.h"
#include "book/codes/Labels.h"
#include "book/files/BookFolders.h"
#include "book/history/StockOnDay.h"
#include "book/money/ValueOnDay.h"
#include "store/RecordCounts.h"
#include "store/TableSchema.h"
#include "ui/Dialogs.h"
#include "ui/FormPreview.h"
#include "ui/FormPrinter.h"
#include "ui/ListView.h"
#include "ui/RollUpMenu.h"

#include <QCalendarWidget>
#include <QComboBox>
#include <QDateEdit>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <map>

using namespace kucun;

namespace {

// Answers every box with OK and remembers the last text, so nothing waits for a person.
class SilentDialogs : public Dialogs
{
public:
    bool message(const QString &text, const QString &, Icon, Buttons) override
    {
        lastMessage = text;
        return true;
    }
    std::optional<QString> input(const QString &, const QString &, const QString &, bool) override
    {
        return std::nullopt;
    }
    std::optional<QString> chooseFolder(const QString &, const QString &) override
    {
        return std::nullopt;
    }
    // A save dialog is left with the file and type set here.
    std::optional<SaveChoice> chooseSaveFile(const QString &, const QString &, const QString &,
                                             const QStringList &) override
    {
        return saveAnswer;
    }
    // The label dialog is left with one copy on the first sheet.
    std::optional<CountChoice> chooseCountAndOption(const QString &, const QString &, int,
                                                    const QString &, const QStringList &) override
    {
        return CountChoice{};
    }
    QString lastMessage;
    std::optional<SaveChoice> saveAnswer;
};

// One size: the table files, the window over them and the runs of each action.
class SizeRun
{
public:
    SizeRun(const Size &size, const BookFolders &folders, const Floors &floors,
            const SyntheticShop &shop, int runs)
        : m_size(size), m_folders(folders), m_folder(folders.data), m_shop(shop), m_floors(floors),
          m_runs(runs)
    {
    }

    const BookFolders &folders() const { return m_folders; }

    SizeFigures run()
    {
        resetPeakMemory();
        startUp();
        chooseItem();
        changeDay();
        openLedger();
        book("stock-in with its reloads", "编辑框入库", "按钮入库");
        book("stock-in with a price, with its reloads", "编辑框入库", "按钮入库",
             QStringLiteral("2.35"));
        book("stock-out with its reloads", "编辑框出库", "按钮出库");
        scanToModel();
        changePages();
        searchLog();
        deleteLogRows();
        rebuildMonth();
        showStockOnDay("stock on a day ten years back", m_shop.lastDay.addYears(-10));
        showStockOnDay("stock on a day a month back", m_shop.lastDay.addMonths(-1));
        showStockValue();
        showGrossProfit();
        showReorder();
        valueOnDayBesideStock();
        queryCategory();
        takeStock();
        sortWholeStock();
        exportWholeStock();
        saveWholeStock();
        printWholeStock();
        addModel();
        layOutLabelSheets();
        deleteCategory();
        bookDuringDailyBackup();
        backUpAndRestore();
        m_window.reset();
        QCoreApplication::processEvents();
        return m_figures;
    }

private:
    // Light actions run nine times, heavy ones fewer; --runs sets both.
    int manyRuns() const { return m_runs > 0 ? m_runs : 9; }
    int fewRuns() const { return m_runs > 0 ? m_runs : m_size.movements >= 100000 ? 3 : 5; }

    template <typename T> T *control(const char *name) const
    {
        T *found = m_window->findChild<T *>(QString::fromUtf8(name));
        expect(found != nullptr, "window",
               QStringLiteral("no control %1").arg(QString::fromUtf8(name)));
        return found;
    }
    ListView *list(const char *name) const { return control<ListView>(name); }
    QString label(const char *name) const { return control<QLabel>(name)->text(); }

    // Takes turns between the action and its floor; medians of both.
    void measure(const char *operation, int runs, const std::function<void(int)> &prepare,
                 const std::function<void()> &action, const std::function<Floor(int)> &floor,
                 const std::function<void(int)> &check)
    {
        std::vector<double> ours;
        std::vector<double> floors;
        for (int run = 0; run < runs; ++run) {
            if (prepare) {
                prepare(run);
            }
            if (floor) {
                const Floor read = floor(run);
                expect(read.rows >= 0, operation, QStringLiteral("the floor could not read"));
                floors.push_back(read.ms);
            }
            m_dialogs.lastMessage.clear();
            ours.push_back(timed(action));
            check(run);
        }
        m_figures.add(operation, median(ours), floor ? median(floors) : -1);
    }

    void expectNoMessage(const char *operation) const
    {
        expect(m_dialogs.lastMessage.isEmpty(), operation,
               QStringLiteral("unexpected message: ") + m_dialogs.lastMessage);
    }

    void showPage(int page) const
    {
        control<QTabWidget>("高级选择夹1")->setCurrentIndex(page);
        QCoreApplication::processEvents();
    }

    void startUp()
    {
        const QDate today = QDate::currentDate();
        // The day's backup is timed on its own, not inside the start-up.
        saveLastBackup(folders(), QDateTime::currentDateTime(), QString());
        measure(
            "start-up until every view is filled", fewRuns(),
            [this](int) {
                m_window.reset();
                QCoreApplication::processEvents();
                // A program that starts has counted no log yet.
                recordcounts::forget(QDir(m_folder).filePath(tables::fileNameOf(tables::明细)));
            },
            [this] {
                m_window = std::make_unique<MainWindow>(m_dialogs, folders());
                m_window->show();
            },
            [this, today](int) {
                Floor floor = m_floors.categories();
                floor += m_floors.items();
                floor += m_floors.allModels();
                floor += m_floors.movementsOfDay(today);
                floor += m_floors.movementsOfMonth(today);
                floor += m_floors.movementCount();
                return floor;
            },
            [this, today](int) {
                const char *operation = "start-up";
                expectNoMessage(operation);
                expectEqual(control<RollUpMenu>("卷帘式菜单1")->groupCount(),
                            m_floors.categories().rows, operation, "the menu's groups");
                const qint64 models = m_floors.allModels().rows;
                expectEqual(qint64(list("超级列表框总库存")->rowCount()), models, operation,
                            "the whole-stock list");
                expectEqual(qint64(list("超级列表框月库存")->rowCount()), models, operation,
                            "the monthly list");
                expectEqual(qint64(list("超级列表框日志")->rowCount()),
                            m_floors.movementsOfDay(today).rows, operation, "the day log");
                expectEqual(label("标签合计库存"), totalText(m_floors.allModels().quantity),
                            operation, "the whole-stock total");
            });
    }

    // The booking page's menu: item 0 of group 0 or of group 1.
    QString menuText(int run, bool item) const
    {
        const RollUpMenu *menu = control<RollUpMenu>("卷帘式菜单1");
        return item ? menu->itemText(run % 2, 0) : menu->groupText(run % 2);
    }

    void chooseItem()
    {
        auto *menu = control<RollUpMenu>("卷帘式菜单1");
        std::vector<double> ours;
        std::vector<double> floors;
        for (int run = 0; run < manyRuns(); ++run) {
            const Floor floor = m_floors.modelsOfItem(menuText(run, false), menuText(run, true));
            floors.push_back(floor.ms);
            ours.push_back(timed([&] { menu->chooseItem(run % 2, 0); }));
            expectEqual(qint64(list("超级列表框进销")->rowCount()), floor.rows, "choosing an item",
                        "the model list");
            expectEqual(label("标签进销名称"), menuText(run, true), "choosing an item",
                        "the item's caption");
        }
        m_figures.add("choosing an item", median(ours), median(floors));
    }

    void changeDay()
    {
        auto *day = control<QDateEdit>("日期框进销");
        const auto dayOf = [this](int run) { return m_shop.busyDay.addDays(run % 2); };
        std::vector<double> ours;
        std::vector<double> floors;
        for (int run = 0; run < manyRuns(); ++run) {
            const Floor floor = m_floors.movementsOfDay(dayOf(run));
            floors.push_back(floor.ms);
            ours.push_back(timed([&] { day->setDate(dayOf(run)); }));
            expectEqual(qint64(list("超级列表框日志")->rowCount()), floor.rows, "changing the day",
                        "the day log");
        }
        m_figures.add("changing the day", median(ours), median(floors));
    }

    // 按钮台账 on a model of the booking page, until its ledger shows.
    void openLedger()
    {
        const char *operation = "opening a model's ledger";
        auto *menu = control<RollUpMenu>("卷帘式菜单1");
        ListView *models = list("超级列表框进销");
        QWidget *ledger = control<QWidget>("窗口台账");
        measure(
            operation, manyRuns(),
            [&](int run) {
                ledger->close();
                menu->chooseItem(run % 2, 0);
                QCoreApplication::processEvents();
                models->selectRow(0);
            },
            [&] { control<QPushButton>("按钮台账")->click(); },
            [&](int run) {
                return m_floors.ledgerOf(menuText(run, false), menuText(run, true),
                                         models->cellText(0, 1));
            },
            [&](int run) {
                expectNoMessage(operation);
                expect(ledger->isVisible(), operation, QStringLiteral("no ledger shown"));
                const Floor floor = m_floors.ledgerOf(menuText(run, false), menuText(run, true),
                                                      models->cellText(0, 1));
                expectEqual(qint64(ledger->findChild<ListView *>(QStringLiteral("超级列表框台账"))
                                       ->rowCount()),
                            floor.rows, operation, "the ledger's rows");
            });
        ledger->close();
    }

    // Books on the first model of the chosen item, at a price when one is
    // given; the floor books on the second.
    void book(const char *operation, const char *box, const char *button,
              const QString &price = QString())
    {
        ListView *models = list("超级列表框进销");
        const auto modelText = [models](int row) { return models->cellText(row, 1); };
        const QDate day = control<QDateEdit>("日期框进销")->date();
        const QString category = menuText(0, false);
        const QString item = menuText(0, true);
        control<RollUpMenu>("卷帘式菜单1")->chooseItem(0, 0);
        QCoreApplication::processEvents();
        const bool in = QByteArray(box) == "编辑框入库";
        measure(
            operation, manyRuns(),
            [&](int) {
                models->selectRow(0);
                control<QLineEdit>(box)->setText(in ? QStringLiteral("5") : QStringLiteral("1"));
                control<QLineEdit>(in ? "编辑框入库单价" : "编辑框出库单价")->setText(price);
            },
            [&] { control<QPushButton>(button)->click(); },
            [&](int) {
                Floor floor = m_floors.bookMovement(category, item, modelText(1), in ? 5 : 0,
                                                    in ? 0 : 1, day);
                floor += m_floors.modelsOfItem(category, item);
                floor += m_floors.allModels();
                floor += m_floors.movementsOfDay(day);
                return floor;
            },
            [&](int) {
                expectNoMessage(operation);
                expectEqual(models->cellText(0, 2),
                            numberText(m_floors.stockOf(category, item, modelText(0))), operation,
                            "the model's stock");
                expectEqual(qint64(list("超级列表框日志")->rowCount()),
                            m_floors.movementsOfDay(day).rows, operation, "the day log");
            });
    }

    // A scanner's keys and Enter, stamped as the window system stamps them.
    void typeAsScanner(QWidget *to, const QString &code)
    {
        for (const QChar key : code + u'\r') {
            const int keyCode = key == u'\r' ? int(Qt::Key_Return) : int(key.unicode());
            for (const QEvent::Type type : {QEvent::KeyPress, QEvent::KeyRelease}) {
                QKeyEvent event(type, keyCode, Qt::NoModifier, QString(key));
                event.setTimestamp(m_keyClock += 2);
                QCoreApplication::sendEvent(to, &event);
            }
        }
    }

    // A code scanned with the focus in 备注, until its model is chosen, its
    // row shown and 1 waits in the quantity box; every run a model of
    // another item. The floor finds the model by its code and reads its item.
    void scanToModel()
    {
        const char *operation = "scan to a chosen model";
        showPage(0);
        auto *remark = control<QLineEdit>("编辑框明细备注");
        ListView *models = list("超级列表框进销");
        QString code;
        ModelKey model;
        const auto chooseCode = [&](int run) {
            // Past the first hundred models, whose codes the labels' row replaces.
            code = syntheticBarcode(100 + run * 37 % std::max(1, m_shop.models / 10 - 10) * 10);
            const auto found = findModelByBarcode(folders(), code);
            expect(found && *found, operation, QStringLiteral("no model bears ") + code);
            model = **found;
        };
        measure(
            operation, manyRuns(), chooseCode, [&] { typeAsScanner(remark, code); },
            [&](int) {
                Floor floor = m_floors.modelOfBarcode(code);
                floor += m_floors.modelsOfItem(model.category, model.item);
                return floor;
            },
            [&](int) {
                expectNoMessage(operation);
                expectEqual(label("标签进销名称"), model.item, operation, "the item chosen");
                const int row = models->selectedRow();
                expectEqual(row >= 0 ? models->cellText(row, 1) : QString(), model.model, operation,
                            "the model row selected");
                expectEqual(label("标签进销型号"), model.model, operation, "the model to book");
                expectEqual(control<QLineEdit>("编辑框入库")->text(), QStringLiteral("1"),
                            operation, "the quantity");
                expectEqual(remark->text(), QString(), operation, "the remark box");
            });
    }

    void bookOne()
    {
        list("超级列表框进销")->selectRow(0);
        control<QLineEdit>("编辑框入库")->setText(QStringLiteral("3"));
        control<QPushButton>("按钮入库")->click();
        QCoreApplication::processEvents();
        expectNoMessage("booking before a page change");
    }

    // The month list after a change: the models, and the month's net movements.
    void expectMonthShown(const char *operation) const
    {
        const QDate month = control<QCalendarWidget>("月历1")->selectedDate();
        expectEqual(qint64(list("超级列表框月库存")->rowCount()), m_floors.allModels().rows,
                    operation, "the monthly list");
        expectEqual(label("标签合计月库存"), totalText(m_floors.movementsOfMonth(month).quantity),
                    operation, "the month's total");
    }

    void changePages()
    {
        measure(
            "page change to the log page", manyRuns(), [this](int) { showPage(0); },
            [this] { control<QTabWidget>("高级选择夹1")->setCurrentIndex(1); }, {},
            [this](int) { expectNoMessage("page change to the log page"); });
        // A booking leaves the reports out of date; showing the report page
        // rebuilds the report on its front tab, the whole stock.
        const char *operation = "page change to the reports after a booking";
        measure(
            operation, manyRuns(),
            [this](int) {
                showPage(0);
                control<QTabWidget>("报表选择夹")->setCurrentIndex(0);
                bookOne();
            },
            [this] { control<QTabWidget>("高级选择夹1")->setCurrentIndex(2); },
            [this](int) { return m_floors.allModels(); },
            [this, operation](int) {
                expectNoMessage(operation);
                expectEqual(label("标签合计库存"), totalText(m_floors.allModels().quantity),
                            operation, "the whole-stock total");
            });
    }

    void search(const char *operation, const char *button, const std::function<Floor()> &floor)
    {
        measure(
            operation, fewRuns(), {}, [&] { control<QPushButton>(button)->click(); },
            [&](int) { return floor(); },
            [&](int) {
                expectNoMessage(operation);
                const Floor stored = floor();
                expectEqual(qint64(list("超级列表框明细")->rowCount()), stored.rows, operation,
                            "the result list");
            });
    }

    void setYearRange() const
    {
        control<QDateEdit>("日期框明细起")->setDate(m_shop.lastDay.addYears(-1).addDays(1));
        control<QDateEdit>("日期框明细止")->setDate(m_shop.lastDay);
    }

    void searchLog()
    {
        showPage(1);
        auto *keyword = control<QLineEdit>("编辑框关键字");
        keyword->setText(m_shop.rareKeyword);
        search("keyword search matching 1% of the log", "按钮模糊搜索",
               [this] { return m_floors.movementsWithKeyword(m_shop.rareKeyword); });
        const qint64 rare = list("超级列表框明细")->rowCount();
        expect(rare * 100 >= m_shop.movements * 9 / 10 && rare * 100 <= m_shop.movements * 11 / 10,
               "keyword search", QStringLiteral("%1 rows match, not about 1%").arg(rare));

        keyword->clear();
        search("keyword search matching all of the log", "按钮模糊搜索",
               [this] { return m_floors.movementsWithKeyword(QString()); });
        m_figures.peakMiB = peakMemoryMiB();
        expect(list("超级列表框明细")->rowCount() >= m_shop.movements, "keyword search",
               QStringLiteral("fewer rows than movements"));

        pageDownTheLog();

        setYearRange();
        search("date search over one year", "按钮日期搜索", [this] {
            return m_floors.movementsBetween(m_shop.lastDay.addYears(-1).addDays(1),
                                             m_shop.lastDay);
        });
    }

    // Page Down in the full-log list from rows spread over all of it: the rows
    // of the next page are read then.
    void pageDownTheLog()
    {
        const char *operation = "Page Down in the full-log list";
        ListView *results = list("超级列表框明细");
        results->setFocus();
        const int presses = std::max(3, manyRuns());
        std::vector<double> ours;
        for (int i = 0; i < presses; ++i) {
            const int from = int(qint64(results->rowCount() - 1) * i / presses);
            results->selectRow(from);
            QCoreApplication::processEvents();
            ours.push_back(timed([results] {
                QKeyEvent press(QEvent::KeyPress, Qt::Key_PageDown, Qt::NoModifier);
                QCoreApplication::sendEvent(results, &press);
                results->viewport()->repaint();
            }));
            const int at = results->currentIndex().row();
            expect(at > from, operation, QStringLiteral("row %1 stayed current").arg(from));
            expect(!results->cellText(at, 1).isEmpty(), operation,
                   QStringLiteral("row %1 shows no date").arg(at));
        }
        m_figures.add(operation, median(ours));
    }

    // Deletes the first 100 rows of the one-year search; the search runs again.
    void deleteLogRows()
    {
        const char *operation = "deleting 100 selected log rows";
        ListView *results = list("超级列表框明细");
        const QDate from = m_shop.lastDay.addYears(-1).addDays(1);
        int before = 0;
        measure(
            operation, fewRuns(),
            [&](int) {
                setYearRange();
                control<QPushButton>("按钮日期搜索")->click();
                QCoreApplication::processEvents();
                before = results->rowCount();
                expect(before >= 100, operation, QStringLiteral("fewer than 100 rows to delete"));
                results->selectionModel()->select(
                    QItemSelection(results->model()->index(0, 0), results->model()->index(99, 0)),
                    QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
            },
            [&] { control<QPushButton>("按钮删除选中")->click(); },
            [&](int) {
                Floor floor =
                    m_floors.deleteMovements(m_floors.movementsWithout(m_shop.rareKeyword, 100));
                floor += m_floors.movementsBetween(from, m_shop.lastDay);
                return floor;
            },
            [&](int) {
                expectNoMessage(operation);
                expectEqual(qint64(results->rowCount()),
                            m_floors.movementsBetween(from, m_shop.lastDay).rows, operation,
                            "the result list");
                expectEqual(results->rowCount(), before - 100, operation, "the rows left");
            });
    }

    void rebuildMonth()
    {
        showPage(2);
        auto *calendar = control<QCalendarWidget>("月历1");
        const auto monthOf = [this](int run) { return m_shop.busyDay.addMonths(run % 2); };
        const char *operation = "the monthly rebuild";
        std::vector<double> ours;
        std::vector<double> floors;
        for (int run = 0; run < manyRuns(); ++run) {
            Floor floor = m_floors.allModels();
            floor += m_floors.movementsOfMonth(monthOf(run));
            floors.push_back(floor.ms);
            m_dialogs.lastMessage.clear();
            ours.push_back(timed([&] { calendar->setSelectedDate(monthOf(run)); }));
            expectNoMessage(operation);
            expectMonthShown(operation);
        }
        m_figures.add(operation, median(ours), median(floors));
    }

    // The 期末库存 tab for a day: every model's stock at that day's end.
    void showStockOnDay(const char *operation, const QDate &day)
    {
        control<QTabWidget>("报表选择夹")->setCurrentIndex(3);
        QCoreApplication::processEvents();
        auto *box = control<QDateEdit>("日期框期末");
        measure(
            operation, fewRuns(),
            // Each run rebuilds: the box leaves the day and comes back to it.
            [&](int) {
                box->setDate(day.addDays(1));
                QCoreApplication::processEvents();
            },
            [&] { box->setDate(day); }, [&](int) { return m_floors.stockOnDay(day); },
            [&](int) {
                expectNoMessage(operation);
                const Floor models = m_floors.allModels();
                expectEqual(qint64(list("超级列表框期末库存")->rowCount()), models.rows, operation,
                            "the list");
                // The quantity leads the label; the value follows it.
                expectEqual(label("标签合计期末库存").section(QChar(0x3000), 0, 0),
                            totalText(models.quantity - m_floors.stockOnDay(day).quantity),
                            operation, "the total");
            });
        control<QTabWidget>("报表选择夹")->setCurrentIndex(0);
    }

    // The 库存金额 tab for every model: each model's stock at its 成本价.
    void showStockValue()
    {
        const char *operation = "stock value of every model";
        control<QTabWidget>("报表选择夹")->setCurrentIndex(4);
        QCoreApplication::processEvents();
        auto *categories = control<QComboBox>("组合框库存金额品类");
        measure(
            operation, manyRuns(), nullptr,
            [&] {
                categories->setCurrentIndex(0);
                emit categories->activated(0);
            },
            [&](int) { return m_floors.modelsWithPrices(); },
            [&](int) {
                expectNoMessage(operation);
                expectEqual(qint64(list("超级列表框库存金额")->rowCount()),
                            m_floors.allModels().rows, operation, "the list");
            });
        control<QTabWidget>("报表选择夹")->setCurrentIndex(0);
    }

    // The 进销毛利 tab for a month of the priced half of the log.
    void showGrossProfit()
    {
        const char *operation = "gross profit of a month";
        const QDate month = m_shop.lastDay.addMonths(-2);
        control<QTabWidget>("报表选择夹")->setCurrentIndex(5);
        QCoreApplication::processEvents();
        auto *box = control<QDateEdit>("日期框毛利");
        measure(
            operation, fewRuns(),
            [&](int) {
                box->setDate(month.addMonths(-1));
                QCoreApplication::processEvents();
            },
            [&] { box->setDate(month); },
            [&](int) { return m_floors.pricedMovementsOfMonth(month); },
            [&](int) {
                expectNoMessage(operation);
                expect(list("超级列表框毛利")->rowCount() > 0, operation,
                       QStringLiteral("no model listed"));
            });
        control<QTabWidget>("报表选择夹")->setCurrentIndex(0);
    }

    // The 补货 tab: the models below their minimum among every model, each
    // run shown out of date, as after a booking.
    void showReorder()
    {
        const char *operation = "补货 list over every model";
        showPage(2);
        auto *tabs = control<QTabWidget>("报表选择夹");
        auto *page = m_window->findChild<ReportPage *>();
        expect(page != nullptr, operation, QStringLiteral("no report page"));
        measure(
            operation, manyRuns(),
            [&](int) {
                tabs->setCurrentIndex(0);
                QCoreApplication::processEvents();
                page->outdated.reorder = true;
            },
            [&] { tabs->setCurrentIndex(6); }, [&](int) { return m_floors.modelsBelowMinimum(); },
            [&](int) {
                expectNoMessage(operation);
                expectEqual(qint64(list("超级列表框补货")->rowCount()),
                            m_floors.modelsBelowMinimum().rows, operation, "the list");
            });
        tabs->setCurrentIndex(0);
    }

    // What the stock was worth ten years back, beside the stock figure of
    // that day alone (the 期末 stock without money), read the same way.
    void valueOnDayBesideStock()
    {
        const char *operation = "value on a day ten years back, beside its stock";
        const Book book(folders());
        const QDate day = m_shop.lastDay.addYears(-10);
        const ReadResult<std::vector<ModelRecord>> models = readAllModels(book);
        expect(models.has_value(), operation, QStringLiteral("the models could not be read"));
        std::vector<double> ours;
        std::vector<double> stock;
        for (int run = 0; run < fewRuns(); ++run) {
            ReadResult<std::vector<double>> figures = std::nullopt;
            stock.push_back(timed([&] { figures = stockOnDay(book, *models, day); }));
            ReadResult<ValueOnDay> value = std::nullopt;
            ours.push_back(timed([&] { value = readValueOnDay(book, *models, day); }));
            expect(figures && value && value->moneyReadable && value->stock == *figures, operation,
                   QStringLiteral("the value's stock differs"));
        }
        m_figures.add(operation, median(ours), median(stock));
    }

    // 按钮盘点 for every category, then 盘点入账 of 1,000 surpluses typed
    // into the sheet.
    void takeStock()
    {
        auto *sheet = control<StocktakeWindow>("窗口盘点");
        const QDate today = QDate::currentDate();
        const char *opening = "opening the count sheet of every model";
        measure(
            opening, fewRuns(), [&](int) { sheet->close(); },
            [&] { control<QPushButton>("按钮盘点")->click(); },
            [&](int) { return m_floors.stockOnDay(today); },
            [&](int) {
                expectNoMessage(opening);
                expectEqual(
                    qint64(
                        sheet->findChild<ListView *>(QStringLiteral("超级列表框盘点"))->rowCount()),
                    m_floors.allModels().rows, opening, "the sheet's rows");
            });
        const char *booking = "booking a count of 1000 differences";
        const int differences = std::min<int>(1000, int(sheet->sheet.lines.size()));
        measure(
            booking, fewRuns(),
            [&](int) {
                for (int line = 0; line < differences; ++line) {
                    sheet->sheet.lines[size_t(line)].enter(
                        sheet->sheet.lines[size_t(line)].bookStock + 1);
                }
            },
            [&] { sheet->按钮盘点入账->click(); },
            [&](int) {
                QList<qint64> ids;
                for (int line = 0; line < differences; ++line) {
                    ids << sheet->sheet.lines[size_t(line)].model.id;
                }
                return m_floors.bookCount(ids, today);
            },
            [&](int) {
                expectEqual(m_dialogs.lastMessage, QStringLiteral("盘点入账完成！"), booking,
                            "the message");
            });
        sheet->close();
    }

    void queryCategory()
    {
        auto *categories = control<QComboBox>("组合框1");
        const char *operation = "the category query";
        expectEqual(qint64(categories->count()), m_floors.categories().rows, operation,
                    "the category choices");
        std::vector<double> ours;
        std::vector<double> floors;
        for (int run = 0; run < manyRuns(); ++run) {
            const int chosen = run % 2;
            const Floor floor = m_floors.modelsOfCategory(categories->itemText(chosen));
            floors.push_back(floor.ms);
            m_dialogs.lastMessage.clear();
            ours.push_back(timed([&] {
                // What a choice in the drop-down does.
                categories->setCurrentIndex(chosen);
                emit categories->activated(chosen);
            }));
            expectNoMessage(operation);
            expectEqual(qint64(list("超级列表框类库存")->rowCount()), floor.rows, operation,
                        "the category list");
            expectEqual(label("标签合计库存2"), totalText(floor.quantity), operation,
                        "the category's total");
            expectEqual(control<QComboBox>("组合框2")->count(), m_shop.items / m_shop.categories,
                        operation, "the item choices");
        }
        m_figures.add(operation, median(ours), median(floors));
    }

    void sortWholeStock()
    {
        ListView *stock = list("超级列表框总库存");
        const auto sortBy = [&](const char *operation, int column) {
            measure(
                operation, manyRuns(),
                [&](int) {
                    // Each sort starts from the order of another column.
                    emit stock->horizontalHeader()->sectionClicked(3);
                    QCoreApplication::processEvents();
                },
                [&] { emit stock->horizontalHeader()->sectionClicked(column); }, {},
                [&](int) {
                    for (int row = 1; row < stock->rowCount(); ++row) {
                        const QString before = stock->cellText(row - 1, column);
                        const QString after = stock->cellText(row, column);
                        const bool ordered = column == 4 ? before.toDouble() <= after.toDouble()
                                                         : gb18030(before) <= gb18030(after);
                        expect(ordered, operation,
                               QStringLiteral("row %1 (%2) before row %3 (%4)")
                                   .arg(row - 1)
                                   .arg(before)
                                   .arg(row)
                                   .arg(after));
                    }
                });
        };
        sortBy("sorting the whole-stock list by 品类", 1);
        sortBy("sorting the whole-stock list by 库存", 4);
    }

    void exportWholeStock()
    {
        const char *operation = "exporting the whole-stock list";
        const QString path = QDir(m_folder).filePath(QStringLiteral("岚栖库存.xls"));
        const ListView *stock = list("超级列表框总库存");
        measure(
            operation, fewRuns(), [&](int) { QFile::remove(path); },
            [&] { control<QPushButton>("按钮导出总库存")->click(); }, {},
            [&](int) {
                expectEqual(m_dialogs.lastMessage,
                            QStringLiteral("文件已保存到：") + QDir::toNativeSeparators(path),
                            operation, "the message");
                QFile file(path);
                expect(file.open(QIODevice::ReadOnly), operation, QStringLiteral("no file"));
                const QByteArray bytes = file.readAll();
                // The title row, the heading row and one row a list row.
                expectEqual(qint64(bytes.count("<tr")), qint64(stock->rowCount() + 2), operation,
                            "the file's table rows");
                const int last = stock->rowCount() - 1;
                expect(bytes.contains(gb18030(stock->cellText(last, 3))), operation,
                       QStringLiteral("the last row's model is not in the file"));
            });
    }

    // 另存为… with the dialog left at a workbook, then at a CSV file.
    void saveWholeStock()
    {
        const ListView *stock = list("超级列表框总库存");
        const int rows = stock->rowCount();
        const QString lastModel = stock->cellText(rows - 1, 3);
        const auto saveAs =
            [&](const char *operation, const QString &name, int type,
                const std::function<void(const QString &, const QByteArray &)> &check) {
                const QString path = QDir(m_folder).filePath(name);
                m_dialogs.saveAnswer = Dialogs::SaveChoice{path, type};
                measure(
                    operation, fewRuns(), [&](int) { QFile::remove(path); },
                    [&] { control<QPushButton>("按钮另存总库存")->click(); }, {},
                    [&](int) {
                        expectNoMessage(operation);
                        QFile file(path);
                        expect(file.open(QIODevice::ReadOnly), operation,
                               QStringLiteral("no file"));
                        check(path, file.readAll());
                    });
                m_dialogs.saveAnswer.reset();
            };
        saveAs("saving the whole stock as .xlsx", QStringLiteral("总库存.xlsx"), 0,
               [&](const QString &path, const QByteArray &) {
                   // The title, the heading, one row a list row and the totals.
                   QProcess unzip;
                   unzip.start(
                       QStringLiteral("unzip"),
                       {QStringLiteral("-p"), path, QStringLiteral("xl/worksheets/sheet1.xml")});
                   expect(unzip.waitForFinished(), "saving as .xlsx", QStringLiteral("no unzip"));
                   const QByteArray sheet = unzip.readAllStandardOutput();
                   expectEqual(qint64(sheet.count("<row ")), qint64(rows + 3), "saving as .xlsx",
                               "the sheet's rows");
                   expect(sheet.contains("<f>SUM(E3:E" + QByteArray::number(rows + 2) + ")</f>"),
                          "saving as .xlsx", QStringLiteral("no total over the list"));
               });
        saveAs("saving the whole stock as CSV", QStringLiteral("总库存.csv"), 1,
               [&](const QString &, const QByteArray &csv) {
                   expect(csv.startsWith("\xef\xbb\xbf"), "saving as CSV",
                          QStringLiteral("no BOM"));
                   expectEqual(qint64(csv.count("\r\n")), qint64(rows + 1), "saving as CSV",
                               "the file's records");
                   expect(csv.contains(lastModel.toUtf8()), "saving as CSV",
                          QStringLiteral("the last row's model is not in the file"));
               });
    }

    // The print button lays the form out; the opener renders it as the
    // preview does, onto a PDF printer.
    void printWholeStock()
    {
        const QString path = QDir(m_folder).filePath(QStringLiteral("总表单.pdf"));
        auto *preview = m_window->findChild<FormPreview *>(QStringLiteral("表格1"));
        expect(preview != nullptr, "printing", QStringLiteral("no form preview 表格1"));
        QElapsedTimer clock;
        double laidOutAt = 0;
        int formRows = 0;
        int pages = 0;
        preview->setOpener([&](const PrintTable &form) {
            laidOutAt = double(clock.nsecsElapsed()) / 1e6;
            formRows = int(form.rowCount());
            QPrinter printer(QPrinter::HighResolution);
            setUpPrinter(form, printer);
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(path);
            pages = int(
                pageRows(form,
                         int(printer.pageLayout().paintRect(QPageLayout::Millimeter).height() * 10))
                    .size());
            printTable(form, printer);
        });
        std::vector<double> layouts;
        std::vector<double> renders;
        const int runs = fewRuns();
        for (int run = 0; run < runs; ++run) {
            QFile::remove(path);
            m_dialogs.lastMessage.clear();
            clock.start();
            control<QPushButton>("按钮打印总表单")->click();
            const double total = double(clock.nsecsElapsed()) / 1e6;
            layouts.push_back(laidOutAt);
            renders.push_back(total - laidOutAt);
            expectNoMessage("printing");
            QFile pdf(path);
            expect(pdf.open(QIODevice::ReadOnly) && pdf.read(5) == "%PDF-", "printing",
                   QStringLiteral("no PDF written"));
            expect(formRows > list("超级列表框总库存")->rowCount() && pages > 0, "printing",
                   QStringLiteral("the form holds %1 rows on %2 pages").arg(formRows).arg(pages));
        }
        m_figures.add("laying out the whole-stock form", median(layouts));
        m_figures.add("rendering the whole-stock form to PDF", median(renders));
    }

    void addModel()
    {
        const char *operation = "adding a model";
        showPage(3);
        auto *menu = control<RollUpMenu>("卷帘式菜单2");
        menu->chooseItem(0, 0);
        QCoreApplication::processEvents();
        const QString category = menu->groupText(0);
        const QString item = menu->itemText(0, 0);
        ListView *models = list("超级列表框设置");
        int before = 0;
        measure(
            operation, manyRuns(),
            [&](int run) {
                before = models->rowCount();
                control<QLineEdit>("编辑框型号")->setText(QStringLiteral("新款%1号").arg(run));
                control<QLineEdit>("编辑框单位")->setText(QStringLiteral("个"));
                control<QLineEdit>("编辑框型号备注")->setText(QStringLiteral("试销"));
            },
            [&] { control<QPushButton>("按钮添加型号")->click(); },
            [&](int run) {
                Floor floor =
                    m_floors.addModel(category, item, QStringLiteral("底款%1号").arg(run));
                floor += m_floors.modelsOfItem(category, item);
                floor += m_floors.allModels();
                return floor;
            },
            [&](int) {
                expectNoMessage(operation);
                expectEqual(qint64(models->rowCount()), m_floors.modelsOfItem(category, item).rows,
                            operation, "the item's models");
                expect(models->rowCount() == before + 1, operation,
                       QStringLiteral("the new model is not listed"));
            });
    }

    // 打印条码 past its dialog, for 100 models: their codes read and their
    // labels laid out on 3 × 8 A4 sheets. Half the codes are EAN-13.
    void layOutLabelSheets()
    {
        const char *operation = "labels for 100 models laid out";
        constexpr int count = 100;
        constexpr int modelsPerItem = 10;
        QList<ModelKey> models;
        ChangeNotifier changes;
        for (int i = 0; i < count; ++i) {
            const int item = i / modelsPerItem;
            models << ModelKey{syntheticCategory(item), syntheticItem(item), syntheticModel(i)};
            QString code = QStringLiteral("200%1").arg(i, 9, 10, QChar(u'0'));
            int sum = 0;
            for (int digit = 0; digit < code.size(); ++digit) {
                sum += code[digit].digitValue() * (digit % 2 == 0 ? 1 : 3);
            }
            code = i % 2 == 0 ? code + QString::number((10 - sum % 10) % 10)
                              : QStringLiteral("KC-%1").arg(i);
            expect(giveBarcode(folders(), models.last(), code, changes).outcome.done(), operation,
                   QStringLiteral("no code given to ") + models.last().model);
        }
        PrintTable form(0, 0);
        measure(
            operation, manyRuns(), {},
            [&] {
                const ReadResult<QList<LabelModel>> labels = readLabelModels(folders(), models);
                form = layOutLabels(labels ? *labels : QList<LabelModel>(), 1,
                                    LabelSheet::A4ThreeByEight);
            },
            [this](int) { return m_floors.labelRows(count); },
            [&](int) {
                int bars = 0;
                int ean13 = 0;
                for (int row = 3; row <= form.rowCount(); row += 4) {
                    for (int column = 1; column <= form.columnCount(); ++column) {
                        const auto &cell = form.cell(row, column).bars;
                        bars += cell ? 1 : 0;
                        ean13 += cell && cell->symbology == Symbology::Ean13 ? 1 : 0;
                    }
                }
                expect(bars == count && ean13 == count / 2, operation,
                       QStringLiteral("%1 labels, %2 of them EAN-13").arg(bars).arg(ean13));
            });
    }

    // Deletes the last category, a tenth of the models, with its items and models.
    void deleteCategory()
    {
        const char *operation = "deleting a category with its models";
        auto *menu = control<RollUpMenu>("卷帘式菜单2");
        int groups = 0;
        qint64 modelsBefore = 0;
        qint64 categoryModels = 0;
        measure(
            operation, std::min(3, fewRuns()),
            [&](int) {
                groups = menu->groupCount();
                menu->setCurrentGroup(groups - 1);
                modelsBefore = m_floors.allModels().rows;
                categoryModels = m_floors.modelsOfCategory(menu->groupText(groups - 1)).rows;
                expect(categoryModels > 0, operation, QStringLiteral("an empty category"));
            },
            [&] { control<QPushButton>("按钮删除品类")->click(); }, {},
            [&](int) {
                expectEqual(m_dialogs.lastMessage, QStringLiteral("删除成功！"), operation,
                            "the message");
                expectEqual(menu->groupCount(), groups - 1, operation, "the menu's groups");
                // The whole stock follows when its page is shown.
                showPage(2);
                expectEqual(qint64(list("超级列表框总库存")->rowCount()),
                            modelsBefore - categoryModels, operation, "the whole-stock list");
                expectEqual(qint64(list("超级列表框总库存")->rowCount()), m_floors.allModels().rows,
                            operation, "the whole-stock list");
                showPage(3);
            });
    }

    // The first start of a day backs up off the window's thread. A stock-in
    // booked right after the start-up, while the backup runs (it waits
    // only while the backup makes its copies equal to the files in use),
    // against the floor of a booking.
    void bookDuringDailyBackup()
    {
        const char *operation = "booking during the automatic backup";
        const QString running = QStringLiteral("每日备份");
        std::vector<double> ours;
        std::vector<double> floors;
        for (int run = 0; run < fewRuns(); ++run) {
            m_window.reset();
            QCoreApplication::processEvents();
            saveLastBackup(folders(), QDateTime::currentDateTime().addDays(-1), QString());
            m_window = std::make_unique<MainWindow>(m_dialogs, folders());
            m_window->show();
            QCoreApplication::processEvents();
            control<RollUpMenu>("卷帘式菜单1")->chooseItem(0, 0);
            ListView *models = list("超级列表框进销");
            models->selectRow(0);
            control<QLineEdit>("编辑框入库")->setText(QStringLiteral("1"));
            m_dialogs.lastMessage.clear();
            ours.push_back(timed([this] { control<QPushButton>("按钮入库")->click(); }));
            expectNoMessage(operation);
            while (m_window->findChild<QObject *>(running) != nullptr) {
                QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
            }
            expect(readBackupSettings(folders()).lastTakenAt.date() == QDate::currentDate(),
                   operation, QStringLiteral("no backup of the day was made"));
            floors.push_back(m_floors
                                 .bookMovement(menuText(0, false), menuText(0, true),
                                               models->cellText(1, 1), 1, 0,
                                               control<QDateEdit>("日期框进销")->date())
                                 .ms);
        }
        m_figures.add(operation, median(ours), median(floors));
    }

    // Copies the table files with cp (and syncs them, as a backup does): the
    // floor of a backup and of a restore.
    Floor copiedWithCp(const QStringList &files) const
    {
        const QString into = QDir(m_folder).filePath(QStringLiteral("cp-floor"));
        QDir(into).removeRecursively();
        QDir().mkpath(into);
        QStringList arguments = files;
        arguments << into;
        QElapsedTimer clock;
        clock.start();
        const int exit = QProcess::execute(QStringLiteral("cp"), arguments) |
                         QProcess::execute(QStringLiteral("sync"), {});
        Floor floor{double(clock.nsecsElapsed()) / 1e6, exit == 0 ? qint64(files.size()) : -1, 0};
        QDir(into).removeRecursively();
        return floor;
    }

    // The floor of a backup or a restore of these files; none for a server
    // book, whose backups pg_dump writes.
    std::function<Floor(int)> copyFloor(const QStringList &files) const
    {
        if (!m_folders.server.isEmpty()) {
            return nullptr;
        }
        return [this, files](int) { return copiedWithCp(files); };
    }

    // 立即备份, then 恢复备份 of the newest backup (with its check, its
    // question and the backup of the books in force first).
    void backUpAndRestore()
    {
        QStringList data;
        for (const QString &table : {tables::品类, tables::名称, tables::型号, tables::明细}) {
            data << QDir(m_folder).filePath(tables::fileNameOf(table));
        }
        const QString root = readBackupSettings(folders()).root;
        measure(
            "backup of the five table files", fewRuns(), {},
            [this] { control<QPushButton>("按钮立即备份")->click(); },
            copyFloor(data + QStringList{tables::settingsPath(m_folder)}),
            [&](int) {
                const char *operation = "backup";
                expect(m_dialogs.lastMessage.startsWith(QStringLiteral("备份完成：")), operation,
                       m_dialogs.lastMessage);
                expectEqual(listBackups(root).constFirst().models, m_floors.allModels().rows,
                            operation, "the models in the backup");
            });
        const qint64 models = m_floors.allModels().rows;
        measure(
            "restore of the newest backup", fewRuns(), [this](int) { loadNewestBackupRow(); },
            [this] { control<QPushButton>("按钮恢复备份")->click(); }, copyFloor(data),
            [&](int) {
                const char *operation = "restore";
                expect(m_dialogs.lastMessage.startsWith(QStringLiteral("数据已恢复到 ")), operation,
                       m_dialogs.lastMessage);
                expectEqual(m_floors.allModels().rows, models, operation, "the models restored");
            });
        QDir(root).removeRecursively();
    }

    void loadNewestBackupRow() const
    {
        ListView *backups = list("列表框备份");
        backups->setFocus();
        backups->selectionModel()->select(backups->model()->index(0, 0),
                                          QItemSelectionModel::ClearAndSelect |
                                              QItemSelectionModel::Rows);
    }

    Size m_size;
    BookFolders m_folders;
    // Where the program's files, the exports and the drafts go.
    QString m_folder;
    SyntheticShop m_shop;
    const Floors &m_floors;
    int m_runs;
    SilentDialogs m_dialogs;
    std::unique_ptr<MainWindow> m_window;
    // The window system's clock of the keys typed, in milliseconds.
    qint64 m_keyClock = 1000000;
    SizeFigures m_figures;
};

} // namespace

SizeFigures runTimedActions(const Size &size, const BookFolders &folders, const Floors &floors,
                            const SyntheticShop &shop, int runs)
{
    return SizeRun(size, folders, floors, shop, runs).run();
}
