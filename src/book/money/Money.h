#pragma once

#include <QString>
#include <QtGlobal>
#include <optional>

namespace kucun {

// An amount of money in whole 分. Amounts are rounded to the 分 once, when
// they are computed, and totals add whole 分, so that ten thousand rows of
// 0.10 total exactly 1000.00.
using Fen = qint64;

// The amount of yuan in 分, rounded half away from zero. A product such as
// 3 × 0.335, stored as 1.00499999…, rounds as the 1.005 it stands for.
Fen fenOf(double yuan);
// quantity × unitPrice, rounded to the 分.
Fen amountOf(double quantity, double unitPrice);
// The amount in yuan, as a spreadsheet number: 1234.5 for 123450 分.
double yuanOf(Fen amount);

// An amount with two decimals: "1000.00", "-3.50".
QString moneyText(Fen amount);
// A unit price with two to four decimals: "2.50", "0.1234", "3.00".
QString unitPriceText(double unitPrice);

// A typed unit price: empty (or blank) is no price; a number ≥ 0 is that
// price; anything else is refused (nothing).
struct TypedPrice
{
    bool valid = true;
    std::optional<double> price;
};
TypedPrice parseUnitPrice(const QString &text);

} // namespace kucun
