#include "StockValue.h"

#include "CostPrices.h"
#include "book/ValueText.h"
#include "store/TableSchema.h"

#include <cmath>

namespace kucun {

ReadResult<StockValue> readStockValue(const Book &book, const std::optional<QString> &category)
{
    ReadResult<std::vector<ModelRecord>> models =
        category ? readModelsMatching(book, RecordFilter::textsEqual({{fields::品类, *category}}))
                 : readAllModels(book);
    if (!models) {
        return models.fault();
    }
    const CostPrices prices = readCostPrices(book);
    StockValue value;
    value.moneyReadable = prices.readable;
    value.models.reserve(models->size());
    for (ModelRecord &model : *models) {
        ValuedModel valued{std::move(model), std::nullopt, 0};
        const ModelRecord &read = valued.model;
        valued.cost = prices.of({read.category, read.item, read.model});
        if (valued.cost) {
            valued.value = amountOf(read.stock, *valued.cost);
        } else if (std::abs(read.stock) > numberTolerance) {
            ++value.withoutCost;
        }
        value.total += valued.value;
        value.models.push_back(std::move(valued));
    }
    return value;
}

} // namespace kucun
