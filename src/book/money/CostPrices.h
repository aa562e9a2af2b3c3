#pragma once

#include "OwnTables.h"
#include "book/catalogue/ModelKey.h"
#include "store/RecordFilter.h"

#include <string>
#include <unordered_map>

namespace kucun {

// The moving average cost (成本价) of each model that has one, from
// 型号资料, by the model's three texts.
struct CostPrices
{
    // False when 型号资料 is there but can't be read: then no cost is known.
    bool readable = true;
    // By the model's texts as stored (storedKeyOf).
    std::unordered_map<std::string, double> costs;

    // The cost of the model, or nothing while it has none.
    std::optional<double> of(const ModelKey &key) const;
    std::optional<double> of(const std::string &storedKey) const;
};

// The costs of every model, or of the rows of 型号资料 the filter names.
CostPrices readCostPrices(const Book &book, const RecordFilter &rows = RecordFilter::all());

} // namespace kucun
