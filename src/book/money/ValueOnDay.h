#pragma once

#include "Money.h"
#include "book/ReadResult.h"
#include "book/catalogue/CatalogueReads.h"

#include <QDate>
#include <optional>
#include <vector>

namespace kucun {

// The stock of each model at the end of a day and what it was worth then,
// one entry per model in the models' order.
struct ValueOnDay
{
    std::vector<double> stock;
    // False when 明细金额 or 型号资料 can't be read: costs and values are
    // then left empty, and the stock figures stand alone.
    bool moneyReadable = true;
    // The 成本价 at the end of the day; nothing for a model without one.
    std::vector<std::optional<double>> cost;
    // stock × cost, in 分; 0 without a cost.
    std::vector<Fen> value;
    Fen total = 0;
    // Models with stock that no priced movement up to the day tells the
    // cost of: they are valued at today's 成本价, or at 0 without one.
    int atTodaysCost = 0;
    int withoutCost = 0;
};

// The stock at the end of the day is that of stockOnDay. The 成本价 then is
// the one the 明细金额 record of the model's last movement (by date, then by
// booking) on or before that day holds. Nothing when 明细 can't be read.
ReadResult<ValueOnDay> readValueOnDay(const Book &book, const std::vector<ModelRecord> &models,
                                      const QDate &day);

} // namespace kucun
