#include "GrossProfit.h"

#include "CostPrices.h"
#include "book/catalogue/CatalogueReads.h"
#include "store/Table.h"
#include "store/TableSchema.h"

#include <QHash>
#include <algorithm>
#include <cmath>

namespace kucun {

namespace {

// The rows of the month, in the order the report lists them.
class ProfitRows
{
public:
    explicit ProfitRows(const std::vector<ModelRecord> &models)
    {
        for (const ModelRecord &model : models) {
            const ModelKey key{model.category, model.item, model.model};
            if (!m_order.contains(key)) {
                m_order.insert(key, m_order.size());
            }
        }
    }

    ModelProfit &of(const ModelKey &key)
    {
        const auto found = m_rows.constFind(key);
        if (found != m_rows.constEnd()) {
            return m_profits[size_t(*found)];
        }
        m_rows.insert(key, qsizetype(m_profits.size()));
        m_profits.push_back({key});
        return m_profits.back();
    }

    // Models of 型号 in its order, then the others as the log first named them.
    std::vector<ModelProfit> listed() const
    {
        std::vector<ModelProfit> rows = m_profits;
        const auto rank = [this](const ModelProfit &row) {
            return m_order.value(row.key, m_order.size());
        };
        std::stable_sort(rows.begin(), rows.end(),
                         [&rank](const auto &a, const auto &b) { return rank(a) < rank(b); });
        return rows;
    }

private:
    QHash<ModelKey, qsizetype> m_order;
    QHash<ModelKey, qsizetype> m_rows;
    std::vector<ModelProfit> m_profits;
};

} // namespace

ReadResult<GrossProfit> readGrossProfit(const Book &book, int year, int month)
{
    const QDate first(year, month, 1);
    const ReadResult<std::vector<ModelRecord>> models = readAllModels(book);
    if (!models) {
        return models.fault();
    }
    GrossProfit result;
    if (!first.isValid()) {
        return result;
    }
    Table log;
    if (!book.open(log, tables::明细)) {
        return log.fault();
    }
    const OwnTable amounts = attachOwnTable(book, log, tables::明细金额);
    const CostPrices prices = readCostPrices(book);
    if (amounts == OwnTable::Unreadable || !prices.readable) {
        result.moneyReadable = false;
        return result;
    }

    ProfitRows rows(*models);
    // Fields 0 to 5 from 明细, then 明细, 单价 and 成本价 of its 明细金额 record.
    const auto count = [&](const Record &record) {
        const QDate day = record.dateTimeAt(0).date();
        if (day.year() != year || day.month() != month) {
            return;
        }
        const ModelKey key{record.textAt(1), record.textAt(2), record.textAt(3)};
        const double in = record.numberAt(4);
        const double out = record.numberAt(5);
        const bool hasRecord = amounts == OwnTable::Open && !record.isAbsentAt(6);
        const bool priced = hasRecord && !record.isAbsentAt(7);
        ModelProfit &row = rows.of(key);
        row.inQuantity += in;
        row.outQuantity += out;
        if (!hasRecord) {
            ++result.withoutRecord;
        }
        if (priced) {
            row.inAmount += amountOf(in, record.numberAt(7));
        }
        if (out == 0) {
            return;
        }
        if (priced) {
            row.sales += amountOf(out, record.numberAt(7));
        } else {
            ++row.unpricedOuts;
        }
        // An out leaves the cost as it was: the cost after it is the one it left at.
        const std::optional<double> cost =
            hasRecord
                ? (record.isAbsentAt(8) ? std::nullopt : std::optional<double>(record.numberAt(8)))
                : prices.of(key);
        if (cost) {
            row.costOfSales += amountOf(out, *cost);
        } else {
            ++result.withoutCost;
        }
    };
    const QDate after = std::min(first.addMonths(1), QDate(9999, 12, 31));
    const RecordFilter aroundMonth = RecordFilter::dateTimeBetween(fields::日期, first, after);
    const QStringList read{fields::日期, fields::品类, fields::名称,
                           fields::型号, fields::入库, fields::出库};
    const bool whole = amounts == OwnTable::Open
                           ? log.forEachJoined(aroundMonth, read, tables::明细金额, tables::明细,
                                               {tables::明细, fields::单价, fields::成本价},
                                               Table::Join::Every, count)
                           : log.forEachMatching(aroundMonth, read, count);
    if (!whole) {
        return log.fault();
    }
    result.models = rows.listed();
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
