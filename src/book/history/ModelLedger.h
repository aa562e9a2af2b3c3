#pragma once

#include "book/ReadResult.h"
#include "book/catalogue/ModelKey.h"
#include "book/files/Book.h"

#include <QDate>
#include <QDateTime>
#include <QMetaType>
#include <QString>
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
};

// Every movement of the model named by the key (its three texts exactly),
// with the stock after each. The balances run backwards from the stock of
// the first model with these texts, so the newest one is the stock shown
// today even when older rows were pruned from the log; a narrower range
// lists fewer rows but keeps the balances of the whole history.
ReadResult<ModelLedger> readModelLedger(const Book &book, const ModelKey &key, const QDate &from,
                                        const QDate &to);

} // namespace kucun

Q_DECLARE_METATYPE(kucun::LedgerEntry)
