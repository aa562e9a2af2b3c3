#include "ValueOnDay.h"

#include "CostPrices.h"
#include "book/ValueText.h"
#include "book/history/StockOnDay.h"
#include "store/Table.h"
#include "store/TableSchema.h"

#include <QHash>
#include <cmath>

namespace kucun {

namespace {

// The cost a model's last priced movement on or before the day left.
struct LastCost
{
    QDateTime date;
    qint64 id = 0;
    double cost = 0;
};

// One pass over the movements up to the end of the day that have a cost in
// 明细金额: the latest of each model wins. Nothing when a file fails.
std::optional<QHash<ModelKey, LastCost>> lastCostsUpTo(Table &log, const QDate &day)
{
    QHash<ModelKey, LastCost> last;
    const bool whole = log.forEachJoined(
        RecordFilter::dateTimeBetween(fields::日期, QDate(1, 1, 1), day.addDays(1)),
        {fields::日期, fields::品类, fields::名称, fields::型号}, tables::明细金额, tables::明细,
        {fields::成本价}, Table::Join::Matched, [&last, &day](const Record &record) {
            const QDateTime date = record.dateTimeAt(0);
            if (record.isAbsentAt(4) || date.date() > day) {
                return;
            }
            LastCost &held = last[{record.textAt(1), record.textAt(2), record.textAt(3)}];
            // Records come in booking order: a later one of the same date wins.
            if (held.id == 0 || date >= held.date) {
                held = {date, record.rowId(), record.numberAt(4)};
            }
        });
    if (!whole) {
        return std::nullopt;
    }
    return last;
}

} // namespace

ReadResult<ValueOnDay> readValueOnDay(const Book &book, const std::vector<ModelRecord> &models,
                                      const QDate &day)
{
    ReadResult<std::vector<double>> figures = stockOnDay(book, models, day);
    if (!figures) {
        return figures.fault();
    }
    ValueOnDay result;
    result.stock = std::move(*figures);
    Table log;
    if (!book.open(log, tables::明细)) {
        return log.fault();
    }
    const OwnTable amounts = attachOwnTable(book, log, tables::明细金额);
    const CostPrices prices = readCostPrices(book);
    if (amounts == OwnTable::Unreadable || !prices.readable) {
        result.moneyReadable = false;
        result.cost.assign(models.size(), std::nullopt);
        result.value.assign(models.size(), 0);
        return result;
    }
    QHash<ModelKey, LastCost> last;
    if (amounts == OwnTable::Open) {
        std::optional<QHash<ModelKey, LastCost>> read = lastCostsUpTo(log, day);
        if (!read) {
            return log.fault();
        }
        last = std::move(*read);
    }
    result.cost.reserve(models.size());
    result.value.reserve(models.size());
    for (size_t row = 0; row < models.size(); ++row) {
        const ModelRecord &model = models[row];
        const ModelKey key{model.category, model.item, model.model};
        const auto found = last.constFind(key);
        std::optional<double> cost;
        if (found != last.constEnd()) {
            cost = found->cost;
        } else {
            cost = prices.of(key);
            if (std::abs(result.stock[row]) > numberTolerance) {
                ++(cost ? result.atTodaysCost : result.withoutCost);
            }
        }
        const Fen value = cost ? amountOf(result.stock[row], *cost) : 0;
        result.cost.push_back(cost);
        result.value.push_back(value);
        result.total += value;
    }
    return result;
}

} // namespace kucun
