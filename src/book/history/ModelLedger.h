#pragma once

#include "book/ReadResult.h"
#include "book/catalogue/ModelKey.h"
#include "book/files/Book.h"
#include "book/money/Money.h"

#include <QDate>
#include <QDateTime>
#include <QMetaType>
#include <QString>
#include <optional>
#include <vector>

namespace kucun {

// One movement of a model with the stock it left.
struct LedgerEntry
{
    qint64 id = 0;
    QDateTime date;
    double in = 0;
    double out = 0;
    // The stock after this movement.
    double balance = 0;
    QString remark;
    // The price typed for the movement, and the quantity at that price;
    // nothing for a movement without one.
    std::optional<double> unitPrice;
    std::optional<Fen> amount;
    // The balance at the 成本价 after the movement (today's for a movement
    // without a 明细金额 record); nothing while the model had no cost.
    std::optional<Fen> balanceValue;
};

struct ModelLedger
{
    // False when no model has these texts any more: then nothing is listed.
    bool modelFound = false;
    // The stock before the first listed movement; with none listed, the
    // stock at the end of the range.
    double opening = 0;
    // The movements from `from` to `to` (both whole days), oldest first;
    // movements of one date in the order they were booked.
    std::vector<LedgerEntry> entries;
    // False when 明细金额 or 型号资料 can't be read: the money is then left
    // out and the quantities stand alone.
    bool moneyReadable = true;
    // Listed movements without a 明细金额 record, valued at today's cost.
    int withoutRecord = 0;
};

// Every movement of the model named by the key (its three texts exactly),
// with the stock after each. The balances run backwards from the stock of
// the first model with these texts, so the newest one is the stock shown
// today even when older rows were pruned from the log; a narrower range
// lists fewer rows but keeps the balances of the whole history. Each entry
// carries its price and the value of its balance, from 明细金额.
ReadResult<ModelLedger> readModelLedger(const Book &book, const ModelKey &key, const QDate &from,
                                        const QDate &to);

} // namespace kucun

Q_DECLARE_METATYPE(kucun::LedgerEntry)
