#include "LedgerHandlers.h"

#include "LedgerWindow.h"
#include "app/AppContext.h"
#include "app/Messages.h"
#include "app/reports/ReportOutput.h"
#include "app/reports/Reports.h"
#include "book/ValueText.h"
#include "book/catalogue/CatalogueReads.h"
#include "book/forms/ReportForms.h"
#include "book/history/ModelLedger.h"
#include "book/sheets/SpreadsheetExport.h"
#include "ui/Dialogs.h"
#include "ui/FormPreview.h"
#include "ui/ListModel.h"
#include "ui/ListView.h"

#include <QDateEdit>
#include <QLabel>
#include <QPushButton>

namespace kucun {

namespace {

const QDate firstDay(100, 1, 1);
const QDate lastDay(9999, 12, 31);

// From the first movement to today, or to the last movement when it lies
// ahead.
void showWholeHistory(LedgerWindow &window, const ModelLedger &ledger)
{
    const QDate today = QDate::currentDate();
    QDate from = today;
    QDate to = today;
    if (!ledger.entries.empty()) {
        from = std::min(today, ledger.entries.front().date.date());
        to = std::max(today, ledger.entries.back().date.date());
    }
    window.setRange(from, to);
}

void showLedger(LedgerWindow &window, const ModelLedger &ledger)
{
    std::vector<ListRow> rows;
    rows.reserve(ledger.entries.size());
    ValueTexts texts;
    for (const LedgerEntry &entry : ledger.entries) {
        ListRow row{{QString(), texts.dateTime(entry.date), texts.number(entry.in),
                     texts.number(entry.out), totalText(entry.balance),
                     entry.unitPrice ? unitPriceText(*entry.unitPrice) : QString(),
                     entry.amount ? moneyText(*entry.amount) : QString(),
                     entry.balanceValue ? moneyText(*entry.balanceValue) : QString(), entry.remark},
                    entry.id};
        row.record = QVariant::fromValue(entry);
        rows.push_back(std::move(row));
    }
    window.超级列表框台账->list().setRows(std::move(rows));
    QString opening = QStringLiteral("期初：") + totalText(ledger.opening);
    if (ledger.withoutRecord > 0) {
        opening += QStringLiteral("（含 %1 笔无金额记录，按当前成本价）").arg(ledger.withoutRecord);
    }
    window.标签台账期初->setText(opening);
}

// Reads the ledger of the window's model over its range and shows it. False
// when there is none to show: the table could not be read (and the user
// was told), or the model is gone.
bool fillLedger(LedgerContext &context)
{
    LedgerWindow &window = context.page;
    const bool whole = window.showsWholeHistory();
    if (!whole && window.日期框台账起->date() > window.日期框台账止->date()) {
        window.超级列表框台账->list().clear();
        window.标签台账期初->setText(QStringLiteral("起始日期晚于截止日期，请重新选择！"));
        return true;
    }
    const ReadResult<ModelLedger> ledger = readModelLedger(
        context.folders, window.model(), whole ? firstDay : window.日期框台账起->date(),
        whole ? lastDay : window.日期框台账止->date());
    if (!ledger) {
        reportTableFailure(context.dialogs, ledger.fault(), QString());
        return false;
    }
    if (!ledger->modelFound) {
        return false;
    }
    if (whole) {
        showWholeHistory(window, *ledger);
    }
    showLedger(window, *ledger);
    if (!ledger->moneyReadable) {
        tell(context.dialogs, QStringLiteral("金额数据无法读取"), Dialogs::Error);
    }
    return true;
}

QString ledgerTitle(const LedgerWindow &window)
{
    return QStringLiteral("型号台账-") + window.model().model;
}

} // namespace

void openLedger(LedgerContext &context, const ModelRecord &model)
{
    LedgerWindow &window = context.page;
    window.setModel({model.category, model.item, model.model}, model.unit);
    if (!fillLedger(context)) {
        window.close();
        return;
    }
    window.show();
    window.raise();
    window.activateWindow();
    window.超级列表框台账->setFocus();
}

void refreshLedger(LedgerContext &context)
{
    LedgerWindow &window = context.page;
    if (window.isVisible() && !fillLedger(context)) {
        window.close();
    }
}

void exportLedger(LedgerContext &context)
{
    const LedgerWindow &window = context.page;
    exportList(context, *window.超级列表框台账, ledgerTitle(window));
}

void saveLedgerAs(LedgerContext &context)
{
    const LedgerWindow &window = context.page;
    const auto day = [](const QDateEdit *box) {
        return box->date().toString(QStringLiteral("yyyy-MM-dd"));
    };
    saveListAs(context, *window.超级列表框台账, ledgerTitle(window), QStringLiteral("型号台账"),
               {QStringLiteral("台账"), window.model().model, day(window.日期框台账起),
                day(window.日期框台账止)},
               {5, 7});
}

void printLedger(LedgerContext &context, FormPreview &preview)
{
    const LedgerWindow &window = context.page;
    const ListView &list = *window.超级列表框台账;
    // The form takes list columns 1 to 4 (日期 to 结存) and 8 (备注) of every
    // row, and the sums of what the rows booked in and out.
    QList<QStringList> rows = shownTable(list).rows;
    double in = 0;
    double out = 0;
    for (int row = 0; row < list.rowCount(); ++row) {
        rows[row] = rows[row].mid(1, 4) << rows[row].value(8);
        const LedgerEntry entry = list.list().recordAt(row).value<LedgerEntry>();
        in += entry.in;
        out += entry.out;
    }
    preview.show(layOutLedgerForm(ledgerTitle(window), rows, totalText(in), totalText(out),
                                  QDateTime::currentDateTime()));
}

void connectLedgerWindow(const LedgerContext &context, FormPreview &preview)
{
    LedgerWindow &window = context.page;
    QObject::connect(&window, &LedgerWindow::rangeChosen, &window, slotOf(context, refreshLedger));
    QObject::connect(window.按钮导出台账, &QPushButton::clicked, &window,
                     slotOf(context, exportLedger));
    QObject::connect(window.按钮另存台账, &QPushButton::clicked, &window,
                     slotOf(context, saveLedgerAs));
    QObject::connect(
        window.按钮打印台账, &QPushButton::clicked, &window,
        slotOf(context, [&preview](LedgerContext &ledger) { printLedger(ledger, preview); }));
}

} // namespace kucun
