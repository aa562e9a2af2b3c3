#include "ReportRefresh.h"

#include "MonthlyReport.h"
#include "Reports.h"
#include "app/AppContext.h"
#include "app/catalogue/ModelLists.h"
#include "book/ValueText.h"
#include "ui/ListModel.h"
#include "ui/ListView.h"

#include <QLabel>
#include <QTabWidget>
#include <algorithm>

namespace kucun {

namespace {

constexpr int reportPage = 2;

// The tab of the report on screen now, if any.
int reportShown(const Form &form)
{
    return form.高级选择夹1->currentIndex() == reportPage ? form.报表选择夹->currentIndex() : -1;
}

void rebuildIfOutdated(AppContext &context, int tab)
{
    const auto &reports = reportDescriptions();
    if (tab < 0 || tab >= static_cast<int>(reports.size())) {
        return;
    }
    const ReportDescription &shown = reports[static_cast<std::size_t>(tab)];
    bool &outdated = context.state.outdatedReports.*shown.outdated;
    if (outdated) {
        outdated = false;
        shown.rebuild(context);
    }
}

// Sets a model's new stock in a stock list and its total. False when the
// list must be rebuilt instead: it is sorted (a rebuild returns it to table
// order, which is id order), or it lists every model and lacks this one.
bool showStockInPlace(ListView &view, QLabel &total, qint64 modelId, double stock,
                      bool listsEveryModel)
{
    ListModel &list = view.list();
    const std::vector<ListRow> &rows = list.rows();
    const auto byId = [](const ListRow &a, const ListRow &b) { return a.id < b.id; };
    if (!std::is_sorted(rows.begin(), rows.end(), byId)) {
        return false;
    }
    const auto found = std::find_if(rows.begin(), rows.end(),
                                    [modelId](const ListRow &row) { return row.id == modelId; });
    if (found == rows.end()) {
        return !listsEveryModel;
    }
    ModelRecord model = found->record.value<ModelRecord>();
    model.stock = stock;
    ValueTexts texts;
    list.replaceRow(int(found - rows.begin()), stockReportRow(model, texts));
    // Added up in table order from 0, as the rebuild adds.
    double sum = 0;
    for (const ListRow &row : rows) {
        sum += row.record.value<ModelRecord>().stock;
    }
    total.setText(totalText(sum));
    return true;
}

} // namespace

void followModelStock(AppContext &context, qint64 modelId, double stock)
{
    Form &form = context.form;
    OutdatedReports &outdated = context.state.outdatedReports;
    if (!outdated.wholeStock) {
        outdated.wholeStock =
            !showStockInPlace(*form.超级列表框总库存, *form.标签合计库存, modelId, stock, true);
    }
    if (!outdated.byCategory) {
        outdated.byCategory =
            !showStockInPlace(*form.超级列表框类库存, *form.标签合计库存2, modelId, stock, false);
    }
    outdated.monthly = true;
    outdated.onDay = true;
    rebuildIfOutdated(context, reportShown(form));
}

void rebuildStockReports(AppContext &context)
{
    // The whole stock and the month list show the same models: one read.
    // When it fails, each list is emptied and tells of the table as it
    // would alone.
    const ReadResult<std::vector<ModelRecord>> models = readAllModels(context.folders);
    if (!models) {
        loadModelList(context, ModelList::WholeStock);
        rebuildMonthlyReport(context);
        return;
    }
    showModelList(context, ModelList::WholeStock, *models);
    rebuildMonthlyReportFrom(context, *models);
}

void refreshReports(AppContext &context)
{
    for (const ReportDescription &report : reportDescriptions()) {
        context.state.outdatedReports.*report.outdated = true;
    }
    rebuildIfOutdated(context, reportShown(context.form));
}

void onReportShown(AppContext &context)
{
    rebuildIfOutdated(context, reportShown(context.form));
}

} // namespace kucun
