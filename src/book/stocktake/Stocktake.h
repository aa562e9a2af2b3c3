#pragma once

#include "book/ReadResult.h"
#include "book/catalogue/CatalogueReads.h"

#include <QDate>
#include <optional>
#include <vector>

namespace kucun {

class ChangeNotifier;

// One model on a count sheet.
struct CountLine
{
    // The model as read when the sheet was loaded; its stock is the stock
    // then, which booking checks is still the stock.
    ModelRecord model;
    // 账面: the stock at the end of the count day.
    double bookStock = 0;
    // 实盘: what was counted on the shelf; none while nothing was typed.
    std::optional<double> counted;

    // 实盘 − 账面; none while nothing was counted.
    std::optional<double> difference() const;
};

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
ReadResult<CountSheet> loadCountSheet(const QString &category, const QDate &day);

// What booking the sheet would do.
struct CountSummary
{
    int surplus = 0;  // 盘盈: rows counted above 账面
    int shortage = 0; // 盘亏: rows counted below 账面
    // The first row whose difference is not a whole number, or -1: a
    // difference books as whole units, like any booking.
    int fractionalRow = -1;
};
CountSummary summarize(const CountSheet &sheet);

enum class StocktakeOutcome
{
    Booked,
    NothingToBook,        // no row was counted different from 账面
    FractionalDifference, // a difference is not a whole number; nothing booked
    StockChanged,         // a model's stock changed since loading, or it is gone
    TableUnavailable,
    TableWrongLayout,
    TableBusy,
    TableReadOnly,
    WriteFailed,
};

// Books every difference in one transaction: for a surplus a stock-in, for
// a shortage a stock-out, dated the count day with the remark "盘点", and
// the model's 库存 changed by the same amount. All are written or none: a
// model whose stock is no longer what the sheet was loaded with stops it.
StocktakeOutcome bookCount(const CountSheet &sheet, ChangeNotifier &changes);

} // namespace kucun
