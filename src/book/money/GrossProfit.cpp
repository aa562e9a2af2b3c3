#include "GrossProfit.h"

#include "CostPrices.h"
#include "book/reports/RowOrder.h"
#include "store/StoredRow.h"
#include "store/Table.h"
#include "store/TableSchema.h"

#include <algorithm>
#include <cmath>
#include <memory_resource>
#include <numeric>
#include <string>
#include <string_view>
#include <tuple>
#include <unordered_map>

namespace kucun {

namespace {

// Finds a key stored as a pmr::string by the bytes of a probe, without a copy.
struct BytesHash
{
    using is_transparent = void;
    size_t operator()(std::string_view bytes) const { return std::hash<std::string_view>()(bytes); }
};
// The read makes a few thousand small keys and frees them all at its end:
// they come from one arena, which spares the heap a few thousand searches.
template <typename Value>
using BytesMap = std::pmr::unordered_map<std::pmr::string, Value, BytesHash, std::equal_to<>>;

// Each distinct stored text of one field made a QString once, and numbered
// in the order met: a month's models share few categories and items.
class DistinctTexts
{
public:
    explicit DistinctTexts(std::pmr::memory_resource *arena) : m_numbers(arena) {}

    int numberOf(std::string_view utf8)
    {
        const auto found = m_numbers.find(utf8);
        if (found != m_numbers.end()) {
            return found->second;
        }
        const int number = int(m_texts.size());
        m_texts.append(QString::fromUtf8(utf8.data(), qsizetype(utf8.size())));
        m_numbers.emplace(std::pmr::string(utf8, m_numbers.get_allocator()), number);
        return number;
    }
    const QString &text(int number) const { return m_texts[number]; }
    // The place of each text, by its number, in GBK order.
    std::vector<int> places() const { return placesOf(m_texts); }

    static std::vector<int> placesOf(const QStringList &texts)
    {
        const std::vector<int> order = sortedRowOrder(texts, {KeyKind::Text});
        std::vector<int> places(order.size());
        for (size_t place = 0; place < order.size(); ++place) {
            places[size_t(order[place])] = int(place);
        }
        return places;
    }

private:
    BytesMap<int> m_numbers;
    QStringList m_texts;
};

// The rows of the month, one a model as the log names it. A row is found by
// the model's texts as stored, so each model's texts become QStrings once.
class ProfitRows
{
public:
    // A month of a big book names a few thousand models.
    ProfitRows() { m_rows.reserve(4096); }

    // The row of the model the stored row names in fields 0 to 2.
    size_t rowOf(const StoredRow &row)
    {
        storeKeyInto(m_probe, row.utf8At(0), row.utf8At(1), row.utf8At(2));
        if (const auto found = m_rows.find(std::string_view(m_probe)); found != m_rows.end()) {
            return found->second;
        }
        m_rows.emplace(std::pmr::string(m_probe, m_rows.get_allocator()), m_profits.size());
        const int category = m_categories.numberOf(row.utf8At(0));
        const int item = m_items.numberOf(row.utf8At(1));
        m_profits.push_back({{m_categories.text(category), m_items.text(item), row.textAt(2)}});
        m_parts.push_back({category, item});
        return m_profits.size() - 1;
    }
    ModelProfit &at(size_t row) { return m_profits[row]; }

    // By 品类, then 名称, then 型号, each by its GBK bytes, as the lists sort.
    // The rows are moved out: this is the last use of them.
    std::vector<ModelProfit> takeSorted()
    {
        const std::vector<int> categoryPlaces = m_categories.places();
        const std::vector<int> itemPlaces = m_items.places();
        QStringList models;
        models.reserve(qsizetype(m_profits.size()));
        for (const ModelProfit &row : m_profits) {
            models << row.key.model;
        }
        const std::vector<int> modelPlaces = DistinctTexts::placesOf(models);
        const auto placeOf = [&](size_t row) {
            return std::tuple(categoryPlaces[size_t(m_parts[row].category)],
                              itemPlaces[size_t(m_parts[row].item)], modelPlaces[row]);
        };
        std::vector<size_t> order(m_profits.size());
        std::iota(order.begin(), order.end(), size_t(0));
        std::sort(order.begin(), order.end(),
                  [&](size_t a, size_t b) { return placeOf(a) < placeOf(b); });
        std::vector<ModelProfit> rows;
        rows.reserve(m_profits.size());
        for (const size_t row : order) {
            rows.push_back(std::move(m_profits[row]));
        }
        return rows;
    }

private:
    struct Parts
    {
        int category;
        int item;
    };
    std::pmr::monotonic_buffer_resource m_arena;
    BytesMap<size_t> m_rows{&m_arena};
    std::string m_probe;
    std::vector<ModelProfit> m_profits;
    std::vector<Parts> m_parts;
    DistinctTexts m_categories{&m_arena};
    DistinctTexts m_items{&m_arena};
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
