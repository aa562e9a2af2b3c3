#include "ModelLedger.h"

#include "book/catalogue/CatalogueReads.h"
#include "book/money/CostPrices.h"
#include "book/money/ModelPrices.h"
#include "store/Table.h"
#include "store/TableSchema.h"

#include <algorithm>

namespace kucun {

namespace {

RecordFilter textsOf(const ModelKey &key)
{
    // 型号 first: the log's index on the model texts starts with it.
    return RecordFilter::textsEqual(
        {{fields::型号, key.model}, {fields::品类, key.category}, {fields::名称, key.item}});
}

// A movement of the ledger with what its 明细金额 record holds.
struct PricedEntry
{
    LedgerEntry entry;
    bool hasRecord = false;
    // The 成本价 after the movement, as its record holds it.
    std::optional<double> cost;
};

// The model's movements, each with its 明细金额 record when `amounts` is
// attached; nothing, with the fault, when a file fails.
std::optional<std::vector<PricedEntry>> readMovementsOf(Table &log, bool amounts,
                                                        const ModelKey &key)
{
    std::vector<PricedEntry> entries;
    const auto add = [&entries, amounts](const Record &record) {
        PricedEntry priced;
        priced.entry.id = record.rowId();
        priced.entry.date = record.dateTimeAt(0);
        priced.entry.in = record.numberAt(1);
        priced.entry.out = record.numberAt(2);
        priced.entry.remark = record.textAt(3);
        if (amounts && !record.isAbsentAt(4)) {
            priced.hasRecord = true;
            priced.entry.unitPrice = record.numberIfAnyAt(5);
            priced.cost = record.numberIfAnyAt(6);
        }
        entries.push_back(std::move(priced));
    };
    const QStringList read{fields::日期, fields::入库, fields::出库, fields::备注};
    const bool whole = amounts
                           ? log.forEachJoined(textsOf(key), read, tables::明细金额, tables::明细,
                                               {tables::明细, fields::单价, fields::成本价},
                                               Table::Join::Every, add)
                           : log.forEachMatching(textsOf(key), read, add);
    if (!whole) {
        return std::nullopt;
    }
    // Record order is booking order; a stable sort keeps it within a date.
    std::stable_sort(
        entries.begin(), entries.end(),
        [](const PricedEntry &a, const PricedEntry &b) { return a.entry.date < b.entry.date; });
    return entries;
}

} // namespace

ReadResult<ModelLedger> readModelLedger(const Book &book, const ModelKey &key, const QDate &from,
                                        const QDate &to)
{
    const ReadResult<std::vector<ModelRecord>> models =
        readModelsMatching(book, RecordFilter::textsEqual({{fields::品类, key.category},
                                                           {fields::名称, key.item},
                                                           {fields::型号, key.model}}));
    if (!models) {
        return models.fault();
    }
    ModelLedger ledger;
    if (models->empty()) {
        return ledger;
    }
    Table log;
    if (!book.open(log, tables::明细)) {
        return log.fault();
    }
    const OwnTable amounts = attachOwnTable(book, log, tables::明细金额);
    const CostPrices prices = readCostPrices(book, modelRowFilter(key));
    ledger.moneyReadable = amounts != OwnTable::Unreadable && prices.readable;
    std::optional<std::vector<PricedEntry>> movements =
        readMovementsOf(log, amounts == OwnTable::Open && ledger.moneyReadable, key);
    if (!movements) {
        return log.fault();
    }
    ledger.modelFound = true;
    // Backwards from today's stock: each balance is the next one less what
    // the next movement changed. The opening is the balance before the
    // first movement from `from` on.
    double balance = models->front().stock;
    ledger.opening = balance;
    std::vector<PricedEntry> &all = *movements;
    for (auto priced = all.rbegin(); priced != all.rend(); ++priced) {
        LedgerEntry &entry = priced->entry;
        entry.balance = balance;
        balance -= entry.in - entry.out;
        if (entry.date.date() >= from) {
            ledger.opening = balance;
        }
    }
    const std::optional<double> today = prices.of(key);
    for (PricedEntry &priced : all) {
        LedgerEntry &entry = priced.entry;
        const QDate day = entry.date.date();
        if (day < from || day > to) {
            continue;
        }
        if (ledger.moneyReadable) {
            if (entry.unitPrice) {
                entry.amount = amountOf(entry.in != 0 ? entry.in : entry.out, *entry.unitPrice);
            }
            if (!priced.hasRecord) {
                ++ledger.withoutRecord;
            }
            const std::optional<double> cost = priced.hasRecord ? priced.cost : today;
            if (cost) {
                entry.balanceValue = amountOf(entry.balance, *cost);
            }
        }
        ledger.entries.push_back(std::move(entry));
    }
    return ledger;
}

} // namespace kucun
