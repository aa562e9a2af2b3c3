#include "ModelLedger.h"

#include "book/catalogue/CatalogueReads.h"
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

ReadResult<std::vector<LedgerEntry>> readMovementsOf(const Book &book, const ModelKey &key)
{
    Table log;
    if (!book.open(log, tables::明细)) {
        return log.fault();
    }
    std::vector<LedgerEntry> entries;
    const bool whole = log.forEachMatching(
        textsOf(key), {fields::日期, fields::入库, fields::出库, fields::备注},
        [&entries](const Record &record) {
            entries.push_back({record.rowId(), record.dateTimeAt(0), record.numberAt(1),
                               record.numberAt(2), 0, record.textAt(3)});
        });
    if (!whole) {
        return log.fault();
    }
    // Record order is booking order; a stable sort keeps it within a date.
    std::stable_sort(entries.begin(), entries.end(),
                     [](const LedgerEntry &a, const LedgerEntry &b) { return a.date < b.date; });
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
    ReadResult<std::vector<LedgerEntry>> movements = readMovementsOf(book, key);
    if (!movements) {
        return movements.fault();
    }
    ledger.modelFound = true;
    // Backwards from today's stock: each balance is the next one less what
    // the next movement changed. The opening is the balance before the
    // first movement from `from` on.
    double balance = models->front().stock;
    ledger.opening = balance;
    std::vector<LedgerEntry> &all = *movements;
    for (auto entry = all.rbegin(); entry != all.rend(); ++entry) {
        entry->balance = balance;
        balance -= entry->in - entry->out;
        if (entry->date.date() >= from) {
            ledger.opening = balance;
        }
    }
    std::copy_if(all.begin(), all.end(), std::back_inserter(ledger.entries),
                 [&from, &to](const LedgerEntry &entry) {
                     const QDate day = entry.date.date();
                     return day >= from && day <= to;
                 });
    return ledger;
}

} // namespace kucun
