#include "MainWindow.h"

#include "FormParts.h"
#include "StartUp.h"
#include "app/backup/BackupHandlers.h"
#include "app/catalogue/MaintenanceHandlers.h"
#include "app/catalogue/ModelLists.h"
#include "app/history/LedgerHandlers.h"
#include "app/reports/Reports.h"
#include "app/settings/LookHandlers.h"
#include "app/settings/PasswordHandlers.h"
#include "app/stock/BookingHandlers.h"
#include "app/stock/LogPage.h"
#include "app/stock/LowStockStatus.h"
#include "app/stocktake/StocktakeHandlers.h"
#include "app/welcome/WelcomeDialog.h"
#include "app/welcome/WelcomeHandlers.h"
#include "book/RemoteChanges.h"
#include "ui/FormPreview.h"
#include "ui/PageTabs.h"
#include "ui/RollUpMenu.h"
#include "ui/ScanKeyFilter.h"
#include "ui/ScreenFit.h"

#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QStatusBar>
#include <QTabWidget>

namespace kucun {

MainWindow::MainWindow(Dialogs &dialogs, const BookFolders &folders, const QString &exportDir,
                       QWidget *parent)
    : QMainWindow(parent), m_shared{m_state, dialogs, m_changes, folders,
                                    exportDir.isEmpty() ? folders.program : exportDir}
{
    setWindowTitle(QStringLiteral("库存管理系统"));
    buildPages();
    connectPages();
    connectReloads();
    fitScreen();
    // Start-up runs once the window has been created and the event loop runs.
    QMetaObject::invokeMethod(this, &MainWindow::runStartUp, Qt::QueuedConnection);
}

MainWindow::~MainWindow() = default;

void MainWindow::fitScreen()
{
    fitToScreen(*this, QSize(1200, 680), *screen());
}

void MainWindow::buildPages()
{
    m_pages = new PageTabs;
    nameControl(m_pages, QStringLiteral("高级选择夹1"), QStringLiteral("功能页"));
    m_pages->addTab(m_booking = new BookingPage(m_shared.folders), QStringLiteral("进销库存"));
    // The pages behind the page guard show their contents only once it allows them.
    m_pages->addTab(coveredPage(m_log = new LogPage(m_shared.folders)), QStringLiteral("日志查询"));
    m_pages->addTab(coveredPage(m_reports = new ReportPage), QStringLiteral("库存报表"));
    m_pages->addTab(coveredPage(m_maintenance = new MaintenancePage), QStringLiteral("项目设置"));
    setCentralWidget(m_pages);
    m_ledger = new LedgerWindow(this);
    m_stocktake = new StocktakeWindow(this);
}

void MainWindow::connectPages()
{
    // The printable table 表格1 shows the printed forms.
    auto *preview = new FormPreview(this);
    preview->setObjectName(QStringLiteral("表格1"));
    connectBookingPage(contextOf(*m_booking));
    connectLogPage(contextOf(*m_log));
    connectReportPage(contextOf(*m_reports), *preview);
    connectMaintenancePage(contextOf(*m_maintenance), *preview);
    connectLedgerWindow(contextOf(*m_ledger), *preview);
    connectStocktakeWindow(contextOf(*m_stocktake), *preview);

    // A model's ledger, from a row of the booking page or of a report.
    const auto openLedgerSlot = slotOf(contextOf(*m_ledger), openLedger);
    connect(m_booking, &BookingPage::ledgerWanted, this, openLedgerSlot);
    connect(m_reports, &ReportPage::ledgerWanted, this, openLedgerSlot);
    connect(m_booking, &BookingPage::stocktakeWanted, this,
            slotOf(contextOf(*m_stocktake), openStocktake));
    connect(m_booking, &BookingPage::maintenanceWanted, this, &MainWindow::goToMaintenance);
    connect(m_booking, &BookingPage::logCounted, m_log, &LogPage::showRecordCount);
    // A barcode scanned while the booking page or the stocktake is shown,
    // wherever the focus is there.
    auto *scans = new ScanKeyFilter(this);
    scans->watch(m_booking);
    scans->watch(m_stocktake);
    const auto chooseScanned = slotOf(contextOf(*m_booking), chooseModelByBarcode);
    const auto countScanned = slotOf(contextOf(*m_stocktake), countScannedModel);
    connect(scans, &ScanKeyFilter::scanned, this,
            [this, chooseScanned, countScanned](QWidget *area, const QString &code) {
                area == m_booking ? chooseScanned(code) : countScanned(code);
            });
    // The look tried or loaded goes to both menus, 卷帘式菜单1 first.
    for (RollUpMenu *menu : {m_booking->卷帘式菜单1, m_maintenance->卷帘式菜单2}) {
        connect(m_maintenance, &MaintenancePage::menuLookChanged, menu,
                [menu](const MenuLook &look) { applyMenuLook(*menu, look); });
    }
    connect(m_pages, &QTabWidget::currentChanged, this, [this](int page) {
        runReportingStoreErrors(m_shared.dialogs, [&] { onPageChosen(page); });
    });
}

void MainWindow::connectReloads()
{
    const auto on = [this](auto change, auto context, auto handle) {
        connect(&m_changes, change, this, slotOf(context, handle));
    };
    const auto booking = contextOf(*m_booking);
    const auto reports = contextOf(*m_reports);
    const auto maintenance = contextOf(*m_maintenance);
    const auto ledger = contextOf(*m_ledger);
    connect(&m_changes, &ChangeNotifier::catalogueChanged, this,
            [this] { runReportingStoreErrors(m_shared.dialogs, [this] { reloadCatalogue(); }); });
    on(&ChangeNotifier::modelsChanged, booking, reloadStockLists);
    on(&ChangeNotifier::modelsChanged, maintenance, loadMaintenanceModels);
    on(&ChangeNotifier::stockChanged, booking, reloadStockLists);
    on(&ChangeNotifier::stockChangedElsewhere, booking, followStockElsewhere);
    on(&ChangeNotifier::modelStockChanged, booking, reloadStockLists);
    on(&ChangeNotifier::modelStockChanged, reports, followModelStock);
    // The reports follow every change of what they show.
    for (const auto change : {&ChangeNotifier::catalogueChanged, &ChangeNotifier::modelsChanged,
                              &ChangeNotifier::stockChanged, &ChangeNotifier::stockChangedElsewhere,
                              &ChangeNotifier::movementsDeleted}) {
        on(change, reports, refreshReports);
    }
    on(&ChangeNotifier::movementsAdded, booking, showNewMovement);
    // After a deletion the log page's last search runs again, then the day log.
    on(&ChangeNotifier::movementsDeleted, contextOf(*m_log), rerunLogSearch);
    on(&ChangeNotifier::movementsDeleted, booking, loadDayLog);
    // An open ledger follows every change of the model's stock and movements.
    for (const auto change : {&ChangeNotifier::catalogueChanged, &ChangeNotifier::modelsChanged,
                              &ChangeNotifier::stockChanged, &ChangeNotifier::stockChangedElsewhere,
                              &ChangeNotifier::movementsAdded, &ChangeNotifier::movementsDeleted}) {
        on(change, ledger, refreshLedger);
    }
    on(&ChangeNotifier::backupsChanged, contextOf(*m_maintenance), loadBackupList);
    connect(&m_changes, &ChangeNotifier::serverReconnected, this,
            [this] { statusBar()->showMessage(QStringLiteral("已重新连接数据库服务器"), 10000); });
    // Changes beyond one booking count the models below their minimum again;
    // a booking does only when it takes its model across its minimum.
    for (const auto change : {&ChangeNotifier::catalogueChanged, &ChangeNotifier::modelsChanged,
                              &ChangeNotifier::stockChanged, &ChangeNotifier::minimumCrossed}) {
        connect(&m_changes, change, this, [this] {
            runReportingStoreErrors(m_shared.dialogs,
                                    [this] { recountModelsBelowMinimum(*this, m_shared.folders); });
        });
    }
}

void MainWindow::reloadCatalogue()
{
    readCatalogue(m_shared);
    auto booking = contextOf(*m_booking);
    showBookingCatalogue(booking);
    auto maintenance = contextOf(*m_maintenance);
    showMaintenanceCatalogue(maintenance);
    auto reports = contextOf(*m_reports);
    offerCategories(reports);
    offerValueCategories(reports);
}

void MainWindow::onPageChosen(int page)
{
    if (!passPageGuard(m_shared, page)) {
        m_pages->setCurrentIndex(0);
        return;
    }
    showPageContents(*m_pages, page);
    if (page == m_pages->indexOf(m_maintenance->parentWidget())) {
        // 恢复出厂设置 is offered once the settings page has been let in.
        m_maintenance->按钮出厂->setVisible(true);
    }
    m_reports->onScreen = page == m_pages->indexOf(m_reports->parentWidget());
    auto reports = contextOf(*m_reports);
    onReportShown(reports);
}

void MainWindow::goToMaintenance()
{
    QWidget *maintenance = m_maintenance->parentWidget();
    m_pages->setCurrentWidget(maintenance);
    // A refused password leaves the booking page in front.
    if (m_pages->currentWidget() == maintenance) {
        m_maintenance->编辑框品类->setFocus(Qt::OtherFocusReason);
    }
}

void MainWindow::runStartUp()
{
    if (m_started) {
        return;
    }
    m_started = true;
    runReportingStoreErrors(m_shared.dialogs, [this] {
        if (!startUp(*this, m_shared, *m_maintenance)) {
            return;
        }
        auto password = contextOf(*m_maintenance);
        primePasswordControls(password);
        reloadCatalogue();
        // The keyboard starts at the first category.
        if (QWidget *first = m_booking->卷帘式菜单1->groupHeader(0)) {
            first->setFocus();
        }
        auto booking = contextOf(*m_booking);
        loadDayLog(booking);
        auto reports = contextOf(*m_reports);
        rebuildStockReports(reports);
        // The whole-stock list just read marks the models below their minimum.
        showModelsBelowMinimum(*this, modelsBelowMinimum(*m_reports));
        auto backup = contextOf(*m_maintenance);
        loadBackupList(backup);
        // The day's backup runs off the window's thread; a booking meanwhile
        // waits only while the files are copied into the system's cache.
        backUpDaily(*this, m_shared);
        if (!m_shared.folders.server.isEmpty()) {
            followServerBook(m_shared.folders.server, m_changes, this);
        }
        if (WelcomeDialog *welcome = welcomeIfDue(*this, backup)) {
            connect(welcome->按钮开始使用, &QPushButton::clicked, this,
                    &MainWindow::goToMaintenance);
        }
    });
}

} // namespace kucun
