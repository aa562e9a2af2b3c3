#pragma once

#include "Money.h"
#include "book/ReadResult.h"
#include "book/catalogue/ModelKey.h"
#include "book/files/Book.h"

#include <QString>
#include <vector>

namespace kucun {

// What one model bought and sold in a month, and what it earned.
struct ModelProfit
{
    ModelKey key;
    double inQuantity = 0;
    // Σ 入库 × 单价 of the stock-ins with a price.
    Fen inAmount = 0;
    double outQuantity = 0;
    // Σ 出库 × 单价: the sales (销售额).
    Fen sales = 0;
    // Σ 出库 × the 成本价 the stock left at (销售成本).
    Fen costOfSales = 0;
    // Stock-outs without a price: in the quantity, not in the sales.
    int unpricedOuts = 0;

    Fen profit() const { return sales - costOfSales; }
};

struct GrossProfit
{
    // False when 明细金额 or 型号资料 can't be read: nothing is listed then.
    bool moneyReadable = true;
    // The models the log names in the month, by 品类, 名称 and 型号.
    std::vector<ModelProfit> models;
    Fen sales = 0;
    Fen costOfSales = 0;
    // Movements without a 明细金额 record (booked before prices existed or
    // by another tool): their stock-outs cost the model's 成本价 today.
    int withoutRecord = 0;
    // Stock-outs of a model that had no 成本价: they cost 0.
    int withoutCost = 0;
    // Stock-outs without a price.
    int unpricedOuts = 0;

    Fen profit() const { return sales - costOfSales; }
};

// The purchases, sales, cost of sales and gross profit of each model in
// one calendar month. Nothing when 明细 can't be read.
ReadResult<GrossProfit> readGrossProfit(const Book &book, int year, int month);

// The gross margin, 毛利 / 销售额, in percent with two decimals ("25.00");
// empty without sales.
QString marginText(Fen profit, Fen sales);

} // namespace kucun
