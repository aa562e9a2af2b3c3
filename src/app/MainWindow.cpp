#include "MainWindow.h"

#include "FormParts.h"
#include "Messages.h"
#include "PageChange.h"
#include "Pages.h"
#include "StartUp.h"
#include "app/backup/BackupHandlers.h"
#include "app/catalogue/CategoryLoaders.h"
#include "app/catalogue/MaintenanceHandlers.h"
#include "app/catalogue/MenuHandlers.h"
#include "app/catalogue/ModelLists.h"
#include "app/history/LedgerHandlers.h"
#include "app/history/LedgerWindow.h"
#include "app/reports/CategoryReport.h"
#include "app/reports/MonthlyReport.h"
#include "app/reports/ReportExport.h"
#include "app/reports/ReportPrinting.h"
#include "app/reports/ReportRefresh.h"
#include "app/reports/ReportSaving.h"
#include "app/reports/ReportSorting.h"
#include "app/reports/StockOnDayReport.h"
#include "app/settings/LookHandlers.h"
#include "app/settings/PasswordHandlers.h"
#include "app/stock/LogDeletion.h"
#include "app/stock/LogLists.h"
#include "app/stock/StockBooking.h"
#include "app/stocktake/StocktakeHandlers.h"
#include "app/stocktake/StocktakeWindow.h"
#include "ui/ColourPicker.h"
#include "ui/EditableListModel.h"
#include "ui/FormPreview.h"
#include "ui/ListView.h"
#include "ui/RollUpMenu.h"
#include "ui/ScreenFit.h"

#include <QCalendarWidget>
#include <QComboBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTabWidget>

namespace kucun {

MainWindow::MainWindow(Dialogs &dialogs, const BookFolders &folders, const QString &exportDir,
                       QWidget *parent)
    : QMainWindow(parent), m_context{m_form,  m_state,
                                     dialogs, m_changes,
                                     folders, exportDir.isEmpty() ? folders.program : exportDir}
{
    setWindowTitle(QStringLiteral("库存管理系统"));
    buildForm();
    connectHandlers();
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

void MainWindow::buildForm()
{
    m_form.高级选择夹1 = new QTabWidget;
    nameControl(m_form.高级选择夹1, QStringLiteral("高级选择夹1"), QStringLiteral("功能页"));
    m_form.高级选择夹1->addTab(buildBookingPage(m_form, m_context.folders),
                               QStringLiteral("进销库存"));
    // The pages behind the page guard show their contents only once it allows them.
    m_form.高级选择夹1->addTab(coveredPage(buildLogPage(m_form, m_context.folders)),
                               QStringLiteral("日志查询"));
    m_form.高级选择夹1->addTab(coveredPage(buildReportPage(m_form)), QStringLiteral("库存报表"));
    m_form.高级选择夹1->addTab(coveredPage(buildMaintenancePage(m_form)),
                               QStringLiteral("项目设置"));
    setCentralWidget(m_form.高级选择夹1);
    m_form.窗口台账 = new LedgerWindow(this);
    m_form.窗口盘点 = new StocktakeWindow(this);
}

template <typename Handler> auto MainWindow::handler(Handler &&handle)
{
    return [this, handle = std::forward<Handler>(handle)](auto &&...arguments) {
        runReportingStoreErrors(m_context.dialogs, [&] { handle(m_context, arguments...); });
    };
}

void MainWindow::connectHandlers()
{
    Form &form = m_form;
    // Booking page.
    connect(form.卷帘式菜单1, &RollUpMenu::itemChosen, this, handler(onBookingItemChosen));
    connect(form.卷帘式菜单1, &RollUpMenu::groupChosen, this,
            handler([](AppContext &context, int) { onBookingGroupChosen(context); }));
    connect(form.卷帘式菜单1, &RollUpMenu::groupRightClicked, this, handler(hideBookingGroup));
    connect(form.按钮显示菜单, &QPushButton::clicked, this,
            handler([](AppContext &context, bool) { showHiddenBookingGroups(context); }));
    connect(form.超级列表框进销, &ListView::rowSelectionChanged, this,
            handler(onBookingModelSelected));
    connect(form.超级列表框进销, &ListView::activated, this, handler(onBookingModelActivated));
    connect(form.按钮5, &QPushButton::clicked, this,
            handler([](AppContext &context, bool) { filterBookingModels(context); }));
    connect(form.按钮入库, &QPushButton::clicked, this,
            handler([](AppContext &context, bool) { bookStockIn(context); }));
    connect(form.按钮出库, &QPushButton::clicked, this,
            handler([](AppContext &context, bool) { bookStockOut(context); }));
    // Enter in a box does what its button does.
    connect(form.编辑框入库, &QLineEdit::returnPressed, this, handler(bookStockIn));
    connect(form.编辑框出库, &QLineEdit::returnPressed, this, handler(bookStockOut));
    connect(form.编辑框_关键字, &QLineEdit::returnPressed, this, handler(filterBookingModels));
    connect(form.日期框进销, &QDateEdit::dateChanged, this,
            handler([](AppContext &context, QDate) { loadLog(context, LogQuery::Day); }));

    // A model's ledger: from the booking page, or a double-click on a model row.
    connect(form.按钮台账, &QPushButton::clicked, this,
            handler([](AppContext &context, bool) { openLedgerOfChosenModel(context); }));
    for (ListView *models : {form.超级列表框进销, form.超级列表框总库存, form.超级列表框类库存}) {
        connect(models, &ListView::doubleClicked, this,
                handler([models](AppContext &context, const QModelIndex &row) {
                    openLedgerOfRow(context, *models, row.row());
                }));
    }
    LedgerWindow *ledger = form.窗口台账;
    connect(ledger, &LedgerWindow::rangeChosen, this, handler(refreshLedger));
    connect(ledger->按钮导出台账, &QPushButton::clicked, this,
            handler([](AppContext &context, bool) { exportLedger(context); }));
    connect(ledger->按钮另存台账, &QPushButton::clicked, this,
            handler([](AppContext &context, bool) { saveLedgerAs(context); }));

    // A stocktake.
    StocktakeWindow *count = form.窗口盘点;
    connect(form.按钮盘点, &QPushButton::clicked, this,
            handler([](AppContext &context, bool) { openStocktake(context); }));
    connect(count->组合框盘点品类, &QComboBox::activated, this,
            handler([](AppContext &context, int) { reloadCountSheet(context); }));
    connect(count->日期框盘点, &QDateEdit::dateChanged, this,
            handler([](AppContext &context, QDate) { reloadCountSheet(context); }));
    connect(&count->rows(), &EditableListModel::entered, this, handler(enterCount));
    connect(count->按钮只看差异, &QPushButton::clicked, this,
            handler([](AppContext &context, bool) { showOnlyDifferences(context); }));
    connect(count->按钮盘点入账, &QPushButton::clicked, this,
            handler([](AppContext &context, bool) { bookCountedDifferences(context); }));
    connect(count->按钮放弃盘点, &QPushButton::clicked, this,
            handler([](AppContext &context, bool) { discardCount(context); }));

    // Log page.
    connect(form.按钮模糊搜索, &QPushButton::clicked, this,
            handler([](AppContext &context, bool) { searchLogByKeyword(context); }));
    connect(form.编辑框关键字, &QLineEdit::returnPressed, this, handler(searchLogByKeyword));
    connect(form.按钮日期搜索, &QPushButton::clicked, this,
            handler([](AppContext &context, bool) { searchLogByDateRange(context); }));
    connect(form.按钮删除选中, &QPushButton::clicked, this,
            handler([](AppContext &context, bool) { deleteSelectedLogEntries(context); }));

    // Report page.
    connect(form.月历1, &QCalendarWidget::selectionChanged, this, handler(rebuildMonthlyReport));
    connect(form.月历1, &QCalendarWidget::currentPageChanged, this, handler(showChosenMonth));
    const QList<QComboBox *> categorySelectors{form.组合框1, form.组合框2, form.组合框3};
    for (int level = 1; level <= 3; ++level) {
        connect(categorySelectors[level - 1], &QComboBox::activated, this,
                handler([level](AppContext &context, int) { runCategoryQuery(context, level); }));
    }
    // The printable table 表格1 shows the printed forms.
    auto *preview = new FormPreview(this);
    preview->setObjectName(QStringLiteral("表格1"));
    connect(ledger->按钮打印台账, &QPushButton::clicked, this,
            handler([preview](AppContext &context, bool) { printLedger(context, *preview); }));
    connect(count->按钮打印盘点表, &QPushButton::clicked, this,
            handler([preview](AppContext &context, bool) { printCountSheet(context, *preview); }));
    connect(form.日期框期末, &QDateEdit::dateChanged, this,
            handler([](AppContext &context, QDate) { rebuildStockOnDayReport(context); }));
    for (const ReportDescription &described : reportDescriptions()) {
        ListView *list = form.*described.list;
        const Report report = described.report;
        connect(list, &ListView::headerClicked, this,
                [list](int column) { sortReportList(*list, column); });
        connect(form.*described.exportButton, &QPushButton::clicked, this,
                handler([report](AppContext &context, bool) { exportReport(context, report); }));
        connect(form.*described.saveButton, &QPushButton::clicked, this,
                handler([report](AppContext &context, bool) { saveReportAs(context, report); }));
        connect(form.*described.printButton, &QPushButton::clicked, this,
                handler([preview, report](AppContext &context, bool) {
                    printReportForm(context, *preview, report);
                }));
    }

    // Settings page.
    connect(form.卷帘式菜单2, &RollUpMenu::itemChosen, this, handler(onMaintenanceItemChosen));
    connect(form.超级列表框设置, &ListView::rowSelectionChanged, this,
            handler(onMaintenanceModelSelected));
    const auto onClick = [this](QPushButton *button, void (*handle)(AppContext &)) {
        connect(button, &QPushButton::clicked, this,
                handler([handle](AppContext &context, bool) { handle(context); }));
    };
    onClick(form.按钮添加品类, &addTypedCategory);
    onClick(form.按钮添加名称, &addTypedItem);
    onClick(form.按钮添加型号, &addTypedModel);
    onClick(form.按钮修改型号, &modifySelectedModel);
    onClick(form.按钮删除型号, &deleteSelectedModel);
    onClick(form.按钮删除名称, &deleteChosenItem);
    onClick(form.按钮删除品类, &deleteChosenCategory);
    onClick(form.按钮保存, &saveTypedPasswordSettings);
    onClick(form.按钮出厂, &resetToFactory);
    connect(form.单选框启用密码, &QRadioButton::clicked, this,
            handler([](AppContext &context, bool) { onPasswordOn(context); }));
    connect(form.单选框禁用密码, &QRadioButton::clicked, this,
            handler([](AppContext &context, bool) { onPasswordOff(context); }));
    connect(form.组合框菜单高度, &QComboBox::activated, this,
            handler([](AppContext &context, int) { onMenuHeightChosen(context); }));
    connect(form.组合框菜单速度, &QComboBox::activated, this,
            handler([](AppContext &context, int) { onMenuSpeedChosen(context); }));
    connect(form.颜色选择器背景颜色, &ColourPicker::colourChanged, this,
            handler(onBackgroundColourChanged));
    connect(form.颜色选择器文本颜色, &ColourPicker::colourChanged, this,
            handler(onTextColourChanged));
    connect(form.颜色选择器文本选中颜色, &ColourPicker::colourChanged, this,
            handler(onSelectedColourChanged));
    onClick(form.按钮保存全部设置, &saveAllSettings);
    onClick(form.按钮立即备份, &backUpNow);
    onClick(form.按钮备份位置, &chooseBackupFolder);
    onClick(form.按钮恢复备份, &restoreChosenBackup);

    connect(form.高级选择夹1, &QTabWidget::currentChanged, this, handler(onPageChosen));
    connect(form.报表选择夹, &QTabWidget::currentChanged, this,
            handler([](AppContext &context, int) { onReportShown(context); }));
}

void MainWindow::connectReloads()
{
    connect(&m_changes, &ChangeNotifier::catalogueChanged, this, handler(reloadCatalogue));
    connect(&m_changes, &ChangeNotifier::modelsChanged, this, handler([](AppContext &context) {
        reloadStockLists(context);
        loadModelList(context, ModelList::Maintenance);
    }));
    connect(&m_changes, &ChangeNotifier::stockChanged, this, handler(reloadStockLists));
    connect(&m_changes, &ChangeNotifier::modelStockChanged, this,
            handler([](AppContext &context, qint64 modelId, double stock) {
                reloadStockLists(context);
                followModelStock(context, modelId, stock);
            }));
    // The reports follow every change of what they show.
    for (const auto change : {&ChangeNotifier::catalogueChanged, &ChangeNotifier::modelsChanged,
                              &ChangeNotifier::stockChanged, &ChangeNotifier::movementsDeleted}) {
        connect(&m_changes, change, this, handler(refreshReports));
    }
    connect(&m_changes, &ChangeNotifier::movementsAdded, this, handler([](AppContext &context) {
        loadLog(context, LogQuery::Day);
        // The new movement is the day's last.
        context.form.超级列表框日志->ensureVisible(context.form.超级列表框日志->rowCount() - 1);
    }));
    connect(&m_changes, &ChangeNotifier::movementsDeleted, this, handler(reloadLogsAfterDeletion));
    // An open ledger follows every change of the model's stock and movements.
    for (const auto change : {&ChangeNotifier::catalogueChanged, &ChangeNotifier::modelsChanged,
                              &ChangeNotifier::stockChanged, &ChangeNotifier::movementsAdded,
                              &ChangeNotifier::movementsDeleted}) {
        connect(&m_changes, change, this, handler(refreshLedger));
    }
    connect(&m_changes, &ChangeNotifier::backupsChanged, this, handler(loadBackupList));
}

void MainWindow::runStartUp()
{
    if (m_started) {
        return;
    }
    m_started = true;
    runReportingStoreErrors(m_context.dialogs, [this] { startUp(*this, m_context); });
}

} // namespace kucun
