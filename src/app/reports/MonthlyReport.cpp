#include "Reports.h"
#include "app/AppContext.h"
#include "app/Messages.h"
#include "app/catalogue/ModelLists.h"
#include "book/ValueText.h"
#include "book/catalogue/CatalogueReads.h"
#include "book/reports/MonthlyMovements.h"
#include "ui/ListModel.h"
#include "ui/ListView.h"

#include <QCalendarWidget>
#include <QLabel>
#include <algorithm>

namespace kucun {

namespace {

// Shows every model with its net movement in the month of 月历1, and the
// total. The rows are set once, with "0" where the log could not be read.
void showMonth(ReportContext &context, const std::vector<ModelRecord> &models)
{
    std::vector<ModelKey> keys;
    keys.reserve(models.size());
    for (const ModelRecord &model : models) {
        keys.push_back({model.category, model.item, model.model});
    }
    const QDate month = context.page.月历1->selectedDate();
    const ReadResult<std::vector<double>> figures =
        monthlyNetMovements(context.folders, keys, month.year(), month.month());

    std::vector<ListRow> rows;
    rows.reserve(models.size());
    double total = 0;
    ValueTexts texts;
    for (size_t row = 0; row < models.size(); ++row) {
        // The row holds the model with the month's figure, as it is listed and sorted.
        ModelRecord model = models[row];
        model.stock = figures ? (*figures)[row] : 0;
        total += model.stock;
        rows.push_back(stockReportRow(model, texts));
    }
    context.page.超级列表框月库存->list().setRows(std::move(rows));
    if (!figures) {
        reportTableFailure(context.dialogs, figures.fault(), QString());
        return;
    }
    context.page.标签合计月库存->setText(totalText(total));
}

} // namespace

void rebuildMonthlyReport(ReportContext &context)
{
    const ReadResult<std::vector<ModelRecord>> models = readAllModels(context.folders);
    if (!models) {
        context.page.超级列表框月库存->list().clear();
        context.page.标签合计月库存->setText(QStringLiteral("0"));
        reportTableFailure(context.dialogs, models.fault(), QString());
    }
    rebuildMonthlyReportFrom(context, models ? *models : std::vector<ModelRecord>());
}

void rebuildMonthlyReportFrom(ReportContext &context, const std::vector<ModelRecord> &models)
{
    context.page.超级列表框月库存->list().clear();
    context.page.标签合计月库存->setText(QStringLiteral("0"));
    showMonth(context, models);
}

void showChosenMonth(ReportContext &context, int year, int month)
{
    QCalendarWidget &calendar = *context.page.月历1;
    const QDate chosen = calendar.selectedDate();
    if (chosen.year() == year && chosen.month() == month) {
        return;
    }
    const int lastDay = QDate(year, month, 1).daysInMonth();
    calendar.setSelectedDate(QDate(year, month, std::min(chosen.day(), lastDay)));
}

} // namespace kucun
