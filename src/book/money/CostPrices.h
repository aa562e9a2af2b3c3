#pragma once

#include "OwnTables.h"
#include "book/catalogue/ModelKey.h"

#include <QHash>

namespace kucun {

// The moving average cost (成本价) of each model that has one, from
// 型号资料, by the model's three texts.
struct CostPrices
{
    // False when 型号资料 is there but can't be read: then no cost is known.
    bool readable = true;
    QHash<ModelKey, double> costs;

    // The cost of the model, or nothing while it has none.
    std::optional<double> of(const ModelKey &key) const;
};

CostPrices readCostPrices(const Book &book);

} // namespace kucun
