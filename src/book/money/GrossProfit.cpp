#include "GrossProfit.h"

#include "CostPrices.h"
#include "book/reports/RowOrder.h"
#include "store/StoredRow.h"
#include "store/Table.h"
#include "store/TableSchema.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <unordered_map>

namespace kucun {

namespace {

// The rows of the month, one a model as the log names it. A row is found by
// the model's texts as stored, so each model's texts become QStrings once.
class ProfitRows
{
public:
    // The row of the model the stored row names in fields 0 to 2.
    size_t rowOf(const StoredRow &row)
    {
        storeKeyInto(m_probe, row.utf8At(0), row.utf8At(1), row.utf8At(2));
        const auto found = m_rows.find(m_probe);
        if (found != m_rows.end()) {
            return found->second;
        }
        m_rows.emplace(m_probe, m_profits.size());
        m_profits.push_back({{row.textAt(0), row.textAt(1), row.textAt(2)}});
        return m_profits.size() - 1;
    }
    ModelProfit &at(size_t row) { return m_profits[row]; }

    // By 品类, then 名称, then 型号, each by its GBK bytes, as the lists sort.
    // The rows are moved out: this is the last use of them.
    std::vector<ModelProfit> takeSorted()
    {
        QStringList keys;
        for (const ModelProfit &row : m_profits) {
            keys << row.key.category + QChar(1) + row.key.item + QChar(1) + row.key.model;
        }
        std::vector<ModelProfit> rows;
        rows.reserve(m_profits.size());
        for (const int row : sortedRowOrder(keys, {KeyKind::Text})) {
            rows.push_back(std::move(m_profits[size_t(row)]));
        }
        return rows;
    }

private:
    std::unordered_map<std::string, size_t> m_rows;
    std::string m_probe;
    std::vector<ModelProfit> m_profits;
};

// A stock-out without a 明细金额 record: it costs the model's 成本价 today.
struct OutAtTodaysCost
{
    size_t row;
    double out;
};

} // namespace

ReadResult<GrossProfit> readGrossProfit(const Book &book, int year, int month)
{
    const QDate first(year, month, 1);
    GrossProfit result;
    if (!first.isValid()) {
        return result;
    }
    Table log;
    if (!book.open(log, tables::明细)) {
        return log.fault();
    }
    const OwnTable amounts = attachOwnTable(book, log, tables::明细金额);
    if (amounts == OwnTable::Unreadable) {
        result.moneyReadable = false;
        return result;
    }

    ProfitRows rows;
    std::vector<OutAtTodaysCost> atTodaysCost;
    // Fields 0 to 4 from 明细, then 明细, 单价 and 成本价 of its 明细金额 record.
    const auto count = [&](const StoredRow &record) {
        const size_t at = rows.rowOf(record);
        const double in = record.numberAt(3);
        const double out = record.numberAt(4);
        const bool hasRecord = amounts == OwnTable::Open && !record.isAbsentAt(5);
        const bool priced = hasRecord && !record.isAbsentAt(6);
        ModelProfit &row = rows.at(at);
        row.inQuantity += in;
        row.outQuantity += out;
        if (!hasRecord) {
            ++result.withoutRecord;
        }
        if (priced) {
            row.inAmount += amountOf(in, record.numberAt(6));
        }
        if (out == 0) {
            return;
        }
        if (priced) {
            row.sales += amountOf(out, record.numberAt(6));
        } else {
            ++row.unpricedOuts;
        }
        if (!hasRecord) {
            atTodaysCost.push_back({at, out});
        } else if (record.isAbsentAt(7)) {
            ++result.withoutCost;
        } else {
            // An out leaves the cost as it was: the cost after it is the one it left at.
            row.costOfSales += amountOf(out, record.numberAt(7));
        }
    };
    // The month's movements, found by the date index alone: no date is read.
    const RecordFilter inMonth =
        RecordFilter::dateTimeInDays(fields::日期, first, first.addMonths(1).addDays(-1));
    const QStringList read{fields::品类, fields::名称, fields::型号, fields::入库, fields::出库};
    const bool whole = amounts == OwnTable::Open
                           ? log.forEachJoined(inMonth, read, tables::明细金额, tables::明细,
                                               {tables::明细, fields::单价, fields::成本价},
                                               Table::Join::Every, count, Table::Order::Any)
                           : log.forEachMatching(inMonth, read, count);
    if (!whole) {
        return log.fault();
    }
    // Today's costs are read only when a movement needs one.
    if (!atTodaysCost.empty()) {
        const CostPrices prices = readCostPrices(book);
        if (!prices.readable) {
            result.moneyReadable = false;
            return result;
        }
        for (const OutAtTodaysCost &out : atTodaysCost) {
            ModelProfit &row = rows.at(out.row);
            if (const std::optional<double> cost = prices.of(row.key)) {
                row.costOfSales += amountOf(out.out, *cost);
            } else {
                ++result.withoutCost;
            }
        }
    }
    result.models = rows.takeSorted();
    for (const ModelProfit &row : result.models) {
        result.sales += row.sales;
        result.costOfSales += row.costOfSales;
        result.unpricedOuts += row.unpricedOuts;
    }
    return result;
}

QString marginText(Fen profit, Fen sales)
{
    if (sales == 0) {
        return {};
    }
    // Hundredths of a percent, rounded half away from zero.
    const qint64 hundredths = std::llround(double(profit) * 10000.0 / double(sales));
    return moneyText(hundredths);
}

} // namespace kucun
