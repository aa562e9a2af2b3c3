#include "Reports.h"
#include "app/AppContext.h"
#include "app/Messages.h"
#include "app/catalogue/ModelLists.h"
#include "book/ValueText.h"
#include "book/history/StockOnDay.h"
#include "ui/ListModel.h"
#include "ui/ListView.h"

#include <QDateEdit>
#include <QLabel>

namespace kucun {

void rebuildStockOnDayReport(ReportContext &context)
{
    ReportPage &page = context.page;
    page.超级列表框期末库存->list().clear();
    page.标签合计期末库存->setText(QStringLiteral("0"));
    const ReadResult<std::vector<ModelRecord>> models = readAllModels(context.folders);
    if (!models) {
        reportTableFailure(context.dialogs, models.fault(), QString());
        return;
    }
    const ReadResult<std::vector<double>> figures =
        stockOnDay(context.folders, *models, page.日期框期末->date());
    if (!figures) {
        reportTableFailure(context.dialogs, figures.fault(), QString());
        return;
    }
    std::vector<ListRow> rows;
    rows.reserve(models->size());
    ValueTexts texts;
    double total = 0;
    for (size_t row = 0; row < models->size(); ++row) {
        ModelRecord model = (*models)[row];
        model.stock = (*figures)[row];
        total += model.stock;
        ListRow listed = stockReportRow(model, texts);
        // A difference of fractions reads as the sum it is, without binary noise.
        listed.cells[4] = totalText(model.stock);
        rows.push_back(std::move(listed));
    }
    page.超级列表框期末库存->list().setRows(std::move(rows));
    page.标签合计期末库存->setText(totalText(total));
}

} // namespace kucun
