#pragma once

#include "book/Outcome.h"
#include "book/ReadResult.h"
#include "book/catalogue/CatalogueReads.h"
#include "book/files/Book.h"
#include "book/money/Money.h"

#include <QDate>
#include <optional>
#include <vector>

namespace kucun {

class ChangeNotifier;

// One model on a count sheet.
struct CountLine
{
    // The model as read when the sheet was loaded.
    ModelRecord model;
    // 账面: the stock at the end of the count day, as last read.
    double bookStock = 0;
    // 实盘: what was counted on the shelf; none while nothing was typed.
    std::optional<double> counted;
    // The 账面 the count was typed against; none for a count kept from a
    // draft that did not say.
    std::optional<double> countedAgainst;
    // The model's 成本价 as read with the sheet: a difference enters or
    // leaves at it. None when it has none (or the prices can't be read).
    std::optional<double> cost = std::nullopt;

    // Types a count, or clears it, against the 账面 shown now.
    void enter(std::optional<double> count);
    // One more counted (a scan): 1 when nothing was. A count that waits
    // stays waiting, for the owner to confirm what was counted before.
    void countOneMore();
    // A count typed against another 账面 than the one read last: it is not
    // booked until it is typed again or confirmed.
    bool waits() const;
    // 实盘 − 账面 of a count that does not wait; none otherwise.
    std::optional<double> difference() const;
};

// Whether a count can be booked: the count and the difference it books keep
// the limits of any booking (a whole difference, neither beyond
// largestQuantity).
enum class CountCheck
{
    Fine,
    NotWhole, // 实盘 − 账面 is not a whole number
    TooLarge, // the count or its difference is more than one booking moves
};
CountCheck checkCount(double counted, double bookStock);

struct CountSheet
{
    // The category counted; empty for every category (全部).
    QString category;
    QDate day;
    std::vector<CountLine> lines;
};

// The sheet of one category (or all, for an empty one) on a day: every
// model in table order with the stock it had at that day's end, nothing
// counted yet.
ReadResult<CountSheet> loadCountSheet(const Book &book, const QString &category, const QDate &day);

// What booking the sheet would do.
struct CountSummary
{
    int surplus = 0;  // 盘盈: rows counted above 账面
    int shortage = 0; // 盘亏: rows counted below 账面
    int waiting = 0;  // counted rows whose 账面 changed since: not booked
    // 盘盈金额 and 盘亏金额: Σ |difference| × 成本价, each row rounded to the 分;
    // a row whose model has no 成本价 adds nothing.
    Fen surplusAmount = 0;
    Fen shortageAmount = 0;
    // The first row whose count can't be booked, and why; -1 and Fine
    // when every one can.
    int refusedRow = -1;
    CountCheck refusal = CountCheck::Fine;
};
CountSummary summarize(const CountSheet &sheet);

enum class StocktakeOutcome
{
    Booked,
    NothingToBook,        // no row was counted different from 账面
    FractionalDifference, // a difference is not a whole number; nothing booked
    CountTooLarge,        // a count or its difference is beyond any booking
    StockChanged,         // a row's 账面 is no longer the one it was counted
                          // against, or its model is gone
};

// Books every difference of the rows that do not wait in one transaction:
// for a surplus a stock-in, for a shortage a stock-out, dated the count day
// with the remark "盘点", and the model's 库存 changed by the same amount.
// The 账面 of each row on the count day is read again once the write lock is
// held; a row whose 账面 is not the one its count was typed against, or
// whose model is gone or renamed, stops the whole count: all are written or
// none.
Outcome<StocktakeOutcome> bookCount(const Book &book, const CountSheet &sheet,
                                    ChangeNotifier &changes);

} // namespace kucun
