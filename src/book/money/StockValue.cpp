#include "StockValue.h"

#include "CostPrices.h"
#include "book/ValueText.h"
#include "store/TableSchema.h"

#include <cmath>

namespace kucun {

ReadResult<StockValue> readStockValue(const Book &book, const std::optional<QString> &category)
{
    const ReadResult<std::vector<ModelRecord>> models =
        category ? readModelsMatching(book, RecordFilter::textsEqual({{fields::品类, *category}}))
                 : readAllModels(book);
    if (!models) {
        return models.fault();
    }
    const CostPrices prices = readCostPrices(book);
    StockValue value;
    value.moneyReadable = prices.readable;
    value.models.reserve(models->size());
    for (const ModelRecord &model : *models) {
        ValuedModel valued{model, prices.of({model.category, model.item, model.model}), 0};
        if (valued.cost) {
            valued.value = amountOf(model.stock, *valued.cost);
        } else if (std::abs(model.stock) > numberTolerance) {
            ++value.withoutCost;
        }
        value.total += valued.value;
        value.models.push_back(std::move(valued));
    }
    return value;
}

} // namespace kucun
