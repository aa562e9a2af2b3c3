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

// The tab of the report on screen now, if any.
int reportShown(const ReportPage &page)
{
    return page.onScreen ? page.报表选择夹->currentIndex() : -1;
}

void rebuildIfOutdated(ReportContext &context, int tab)
{
    const auto &reports = reportDescriptions();
    if (tab < 0 || tab >= static_cast<int>(reports.size())) {
        return;
    }
    const ReportDescription &shown = reports[static_cast<std::size_t>(tab)];
    bool &outdated = context.page.outdated.*shown.outdated;
    if (outdated) {
        outdated = false;
        shown.rebuild(context);
    }
}

// Sets a model's new stock in a stock list and its total. False when the
// list must be rebuilt instead: it is sorted (a rebuild returns it to table
// order, which is id order), or it lists every model and lacks this one.
bool showStockInPlace(const Book &book, ListView &view, QLabel &total, qint64 modelId, double stock,
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
    ListRow shown = stockReportRow(model, texts);
    // The model's own minimum, read alone, marks the row as a rebuild would.
    const ReadResult<Minimums> minimums = readMinimumsOf(book, model.category, model.item);
    shown.belowMinimum = minimums && isBelowMinimum(model, *minimums);
    list.replaceRow(int(found - rows.begin()), std::move(shown));
    // Added up in table order from 0, as the rebuild adds.
    double sum = 0;
    for (const ListRow &row : rows) {
        sum += row.record.value<ModelRecord>().stock;
    }
    total.setText(totalText(sum));
    return true;
}

} // namespace

void followModelStock(ReportContext &context, qint64 modelId, double stock)
{
    ReportPage &page = context.page;
    OutdatedReports &outdated = context.page.outdated;
    if (!outdated.wholeStock) {
        outdated.wholeStock = !showStockInPlace(context.folders, *page.超级列表框总库存,
                                                *page.标签合计库存, modelId, stock, true);
    }
    if (!outdated.byCategory) {
        outdated.byCategory = !showStockInPlace(context.folders, *page.超级列表框类库存,
                                                *page.标签合计库存2, modelId, stock, false);
    }
    outdated.monthly = true;
    outdated.onDay = true;
    outdated.stockValue = true;
    outdated.grossProfit = true;
    outdated.reorder = true;
    rebuildIfOutdated(context, reportShown(page));
}

void rebuildStockReports(ReportContext &context)
{
    // The whole stock and the month list show the same models: one read.
    // When it fails, each list is emptied and tells of the table as it
    // would alone.
    const ReadResult<std::vector<ModelRecord>> models = readAllModels(context.folders);
    if (!models) {
        loadWholeStock(context);
        rebuildMonthlyReport(context);
        return;
    }
    const ReadResult<Minimums> minimums = readMinimums(context.folders);
    context.page.标签合计库存->setText(
        totalText(showModelList(*context.page.超级列表框总库存, ModelColumns::Report, *models,
                                minimums ? *minimums : Minimums())));
    rebuildMonthlyReportFrom(context, *models);
}

int modelsBelowMinimum(const ReportPage &page)
{
    const RowModel &rows = page.超级列表框总库存->list();
    int below = 0;
    for (int row = 0; row < rows.rowCount(); ++row) {
        below += rows.isBelowMinimum(row) ? 1 : 0;
    }
    return below;
}

void loadWholeStock(ReportContext &context)
{
    ReportPage &page = context.page;
    page.标签合计库存->setText(QStringLiteral("0"));
    if (const std::optional<double> total =
            loadModelList(context.dialogs, *page.超级列表框总库存, ModelColumns::Report,
                          readAllModels(context.folders), readMinimums(context.folders))) {
        page.标签合计库存->setText(totalText(*total));
    }
}

void refreshReports(ReportContext &context)
{
    for (const ReportDescription &report : reportDescriptions()) {
        context.page.outdated.*report.outdated = true;
    }
    rebuildIfOutdated(context, reportShown(context.page));
}

void onReportShown(ReportContext &context)
{
    rebuildIfOutdated(context, reportShown(context.page));
}

} // namespace kucun
