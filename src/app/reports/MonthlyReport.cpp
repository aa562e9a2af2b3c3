#include "MonthlyReport.h"

#include "app/AppContext.h"
#include "app/Messages.h"
#include "app/catalogue/ModelLists.h"
#include "book/reports/MonthlyMovements.h"
#include "store/ValueText.h"
#include "ui/ListModel.h"
#include "ui/ListView.h"

#include <QCalendarWidget>
#include <QLabel>
#include <algorithm>

namespace kucun {

namespace {

// Fills in each model's net movement in the month of 月历1.
void addUpChosenMonth(AppContext &context)
{
    ListModel &list = context.form.超级列表框月库存->list();
    std::vector<ListRow> rows = list.rows();
    std::vector<ModelKey> models;
    models.reserve(rows.size());
    for (const ListRow &row : rows) {
        models.push_back({row.cells.value(1), row.cells.value(2), row.cells.value(3)});
    }
    const QDate month = context.form.月历1->selectedDate();
    const std::optional<std::vector<double>> figures =
        monthlyNetMovements(models, month.year(), month.month());
    if (!figures) {
        reportTableUnavailable(context.dialogs);
        return;
    }
    double total = 0;
    ValueTexts texts;
    for (size_t row = 0; row < rows.size(); ++row) {
        rows[row].cells[4] = texts.number((*figures)[row]);
        total += (*figures)[row];
    }
    list.setRows(std::move(rows));
    context.form.标签合计月库存->setText(totalText(total));
}

} // namespace

void rebuildMonthlyReport(AppContext &context)
{
    context.form.超级列表框月库存->list().clear();
    context.form.标签合计月库存->setText(QStringLiteral("0"));
    loadModelList(context, ModelList::MonthSkeleton);
    addUpChosenMonth(context);
}

void rebuildMonthlyReportFrom(AppContext &context, const std::vector<ModelRecord> &models)
{
    context.form.超级列表框月库存->list().clear();
    context.form.标签合计月库存->setText(QStringLiteral("0"));
    showModelList(context, ModelList::MonthSkeleton, models);
    addUpChosenMonth(context);
}

void showChosenMonth(AppContext &context, int year, int month)
{
    QCalendarWidget &calendar = *context.form.月历1;
    const QDate chosen = calendar.selectedDate();
    if (chosen.year() == year && chosen.month() == month) {
        return;
    }
    const int lastDay = QDate(year, month, 1).daysInMonth();
    calendar.setSelectedDate(QDate(year, month, std::min(chosen.day(), lastDay)));
}

} // namespace kucun
