#include "Reports.h"
#include "app/AppContext.h"
#include "app/Messages.h"
#include "app/catalogue/ModelLists.h"
#include "book/ValueText.h"
#include "book/money/ValueOnDay.h"
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
    const ReadResult<ValueOnDay> figures =
        readValueOnDay(context.folders, *models, page.日期框期末->date());
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
        model.stock = figures->stock[row];
        total += model.stock;
        ListRow listed = stockReportRow(model, texts);
        // A difference of fractions reads as the sum it is, without binary noise.
        listed.cells[4] = totalText(model.stock);
        const std::optional<double> cost = figures->cost[row];
        listed.cells.insert(6, cost ? unitPriceText(*cost) : QString());
        listed.cells.insert(7, cost ? moneyText(figures->value[row]) : QString());
        rows.push_back(std::move(listed));
    }
    page.超级列表框期末库存->list().setRows(std::move(rows));
    if (!figures->moneyReadable) {
        page.标签合计期末库存->setText(totalText(total));
        tell(context.dialogs, QStringLiteral("金额数据无法读取"), Dialogs::Error);
        return;
    }
    QString caption =
        QStringLiteral("%1　期末金额 %2").arg(totalText(total), moneyText(figures->total));
    if (figures->atTodaysCost > 0) {
        caption += QStringLiteral("（含 %1 个型号按当前成本价）").arg(figures->atTodaysCost);
    }
    if (figures->withoutCost > 0) {
        caption += QStringLiteral("（含 %1 个型号无成本价，按 0 计）").arg(figures->withoutCost);
    }
    page.标签合计期末库存->setText(caption);
}

} // namespace kucun
