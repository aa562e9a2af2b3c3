#include "Reports.h"
#include "app/AppContext.h"
#include "app/Messages.h"
#include "book/ValueText.h"
#include "book/money/GrossProfit.h"
#include "book/money/LowStock.h"
#include "book/money/StockValue.h"
#include "ui/ListModel.h"
#include "ui/ListView.h"

#include <QComboBox>
#include <QDateEdit>
#include <QHash>
#include <QLabel>
#include <memory>

namespace kucun {

namespace {

void tellMoneyUnreadable(Dialogs &dialogs)
{
    tell(dialogs, QStringLiteral("金额数据无法读取"), Dialogs::Error);
}

// A row keeps its model's texts, and the figure of its column 4, for sorting.
ListRow moneyRow(ModelRecord model, double figure, QStringList cells)
{
    model.stock = figure;
    ListRow row{std::move(cells), model.id};
    row.record = QVariant::fromValue(model);
    return row;
}

// The text of each distinct figure made once: a list of thousands of rows
// repeats a few costs and quantities.
class FigureTexts
{
public:
    explicit FigureTexts(QString (*textOf)(double)) : m_textOf(textOf) {}
    QString operator()(double value)
    {
        auto known = m_texts.constFind(value);
        if (known == m_texts.constEnd()) {
            known = m_texts.insert(value, m_textOf(value));
        }
        return *known;
    }

private:
    QString (*m_textOf)(double);
    QHash<double, QString> m_texts;
};

// Empties a money list and its total, before a message says why.
void showNothing(ListView &list, QLabel &total)
{
    list.list().clear();
    total.setText(moneyText(0));
}

} // namespace

void rebuildStockValueReport(ReportContext &context)
{
    ReportPage &page = context.page;
    const QComboBox &chosen = *page.组合框库存金额品类;
    ReadResult<StockValue> value = readStockValue(
        context.folders,
        chosen.currentIndex() > 0 ? std::optional<QString>(chosen.currentText()) : std::nullopt);
    if (!value || !value->moneyReadable) {
        showNothing(*page.超级列表框库存金额, *page.标签合计库存金额);
        if (!value) {
            reportTableFailure(context.dialogs, value.fault(), QString());
        } else {
            tellMoneyUnreadable(context.dialogs);
        }
        return;
    }
    // The rows replace the old ones in one reset; each row's texts are made
    // when it is first shown or read.
    const auto models = std::make_shared<const std::vector<ValuedModel>>(std::move(value->models));
    page.超级列表框库存金额->list().setRows(
        int(models->size()),
        [models, texts = ValueTexts(), costTexts = FigureTexts(unitPriceText)](int row) mutable {
            const ValuedModel &valued = (*models)[size_t(row)];
            const ModelRecord &model = valued.model;
            return moneyRow(model, model.stock,
                            {QString(), model.category, model.item, model.model,
                             texts.number(model.stock), model.unit,
                             valued.cost ? costTexts(*valued.cost) : QString(),
                             valued.cost ? moneyText(valued.value) : QString()});
        });
    QString total = moneyText(value->total);
    if (value->withoutCost > 0) {
        total += QStringLiteral("（含 %1 个型号无成本价，按 0 计）").arg(value->withoutCost);
    }
    page.标签合计库存金额->setText(total);
}

void rebuildGrossProfitReport(ReportContext &context)
{
    ReportPage &page = context.page;
    const QDate month = page.日期框毛利->date();
    ReadResult<GrossProfit> profit = readGrossProfit(context.folders, month.year(), month.month());
    if (!profit || !profit->moneyReadable) {
        showNothing(*page.超级列表框毛利, *page.标签合计毛利);
        if (!profit) {
            reportTableFailure(context.dialogs, profit.fault(), QString());
        } else {
            tellMoneyUnreadable(context.dialogs);
        }
        return;
    }
    const auto models = std::make_shared<const std::vector<ModelProfit>>(std::move(profit->models));
    page.超级列表框毛利->list().setRows(
        int(models->size()), [models, quantityTexts = FigureTexts(totalText)](int shown) mutable {
            const ModelProfit &row = (*models)[size_t(shown)];
            const ModelKey &key = row.key;
            return moneyRow(
                {0, key.category, key.item, key.model, QString(), 0, QString()}, row.inQuantity,
                {QString(), key.category, key.item, key.model, quantityTexts(row.inQuantity),
                 moneyText(row.inAmount), quantityTexts(row.outQuantity), moneyText(row.sales),
                 moneyText(row.costOfSales), moneyText(row.profit()),
                 marginText(row.profit(), row.sales),
                 row.unpricedOuts > 0 ? QStringLiteral("未计价 %1 笔").arg(row.unpricedOuts)
                                      : QString()});
        });
    QString total = QStringLiteral("销售额 %1　销售成本 %2　毛利 %3")
                        .arg(moneyText(profit->sales), moneyText(profit->costOfSales),
                             moneyText(profit->profit()));
    if (profit->withoutRecord > 0) {
        total += QStringLiteral("（含 %1 笔无金额记录）").arg(profit->withoutRecord);
    }
    if (profit->withoutCost > 0) {
        total += QStringLiteral("（含 %1 笔无成本价，按 0 计）").arg(profit->withoutCost);
    }
    page.标签合计毛利->setText(total);
}

void rebuildReorderReport(ReportContext &context)
{
    ReportPage &page = context.page;
    page.超级列表框补货->list().clear();
    page.标签合计补货->setText(moneyText(0));
    const ReadResult<ReorderList> reorder = readReorderList(context.folders);
    if (!reorder) {
        reportTableFailure(context.dialogs, reorder.fault(), QString());
        return;
    }
    std::vector<ListRow> rows;
    rows.reserve(reorder->lines.size());
    ValueTexts texts;
    FigureTexts priceTexts(unitPriceText);
    int withoutPrice = 0;
    for (const ReorderLine &line : reorder->lines) {
        const ModelRecord &model = line.model;
        const std::optional<double> &reorderTo = line.minimum.reorderTo;
        rows.push_back(moneyRow(model, model.stock,
                                {QString(), model.category, model.item, model.model,
                                 texts.number(model.stock), texts.number(line.minimum.minimum),
                                 reorderTo ? texts.number(*reorderTo) : QString(),
                                 texts.number(line.suggested), model.unit,
                                 line.purchase ? priceTexts(*line.purchase) : QString(),
                                 line.amount ? moneyText(*line.amount) : QString()}));
        withoutPrice += line.purchase ? 0 : 1;
    }
    page.超级列表框补货->list().setRows(std::move(rows));
    QString total = moneyText(reorder->total);
    if (withoutPrice > 0) {
        total += QStringLiteral("（含 %1 个型号无进价，未计金额）").arg(withoutPrice);
    }
    page.标签合计补货->setText(total);
}

void offerValueCategories(ReportContext &context)
{
    QComboBox &categories = *context.page.组合框库存金额品类;
    const QString chosen = categories.currentIndex() > 0 ? categories.currentText() : QString();
    categories.clear();
    categories.addItem(QStringLiteral("全部"));
    categories.addItems(context.state.categories);
    const int index = chosen.isEmpty()
                          ? 0
                          : categories.findText(chosen, Qt::MatchExactly | Qt::MatchCaseSensitive);
    categories.setCurrentIndex(std::max(index, 0));
}

} // namespace kucun
