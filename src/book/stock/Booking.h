#pragma once

#include "book/Outcome.h"
#include "book/files/Book.h"

#include <QDate>
#include <QString>
#include <optional>

namespace kucun {

class ChangeNotifier;

enum class MovementKind
{
    In,
    Out
};

// One booking of goods into or out of stock.
struct Movement
{
    QString category;
    QString item;
    QString model;
    MovementKind kind = MovementKind::In;
    // The whole quantity that changes the stock and is logged.
    qint32 quantity = 0;
    // The quantity as typed, fraction and all: a stock-out of more than the
    // stock is refused even where the whole quantity would fit.
    double typedQuantity = 0;
    QDate date;
    QString remark;
    // The price per unit typed for it; none when none was typed.
    std::optional<double> unitPrice = std::nullopt;
};

enum class BookingOutcome
{
    Booked,
    ModelNotFound,  // no 型号 record has this category, item and model
    NotEnoughStock, // a stock-out of more than the stored stock
};

// Changes the model's 库存 and appends its 明细 record, with the unit of the
// model's record, and, where the tables of prices can be attached, its
// 成本价 and its 明细金额 row, in one transaction: all are written or none is. The
// stock is read after the transaction has taken the write lock, so a second
// program booking the same model at the same moment cannot lose an update.
// A booking announces stockChanged and movementsAdded; a model that is gone
// announces stockChanged, since the stock shown is stale.
Outcome<BookingOutcome> book(const Book &book, const Movement &movement, ChangeNotifier &changes);

} // namespace kucun
