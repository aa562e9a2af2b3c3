#include "Booking.h"

#include "MovementWrite.h"
#include "book/ChangeNotifier.h"
#include "book/ValueText.h"
#include "book/money/LowStock.h"
#include "store/Table.h"
#include "store/TableSchema.h"

namespace kucun {

namespace {

// The model a booking changed and its stock after it.
struct BookedStock
{
    qint64 modelId = 0;
    double stock = 0;
    // The change took the model across its minimum, one way or the other.
    bool crossedMinimum = false;
};

Outcome<BookingOutcome> bookInOpenTables(Table &models, const Movement &movement,
                                         BookedStock &booked)
{
    if (!models.beginTransaction()) {
        return models.fault();
    }
    models.first();
    const bool found = models.findTexts({{fields::品类, movement.category},
                                         {fields::名称, movement.item},
                                         {fields::型号, movement.model}});
    if (!found) {
        // A search the file could not answer is no missing model.
        const StoreFault fault = models.fault();
        models.rollback();
        if (fault != StoreFault::None) {
            return fault;
        }
        return BookingOutcome::ModelNotFound;
    }
    const double stock = models.number(fields::库存);
    const bool in = movement.kind == MovementKind::In;
    if (!in && stock - movement.typedQuantity < -numberTolerance) {
        models.rollback();
        return BookingOutcome::NotEnoughStock;
    }
    const std::optional<double> newStock = writeMovement(models, movement);
    const bool crossed =
        newStock && crossesMinimum(models, {movement.category, movement.item, movement.model},
                                   stock, *newStock);
    const bool written = newStock && models.commit();
    if (!written) {
        const StoreFault fault = models.fault();
        models.rollback();
        return fault;
    }
    booked = {models.current().rowId(), *newStock, crossed};
    return BookingOutcome::Booked;
}

} // namespace

Outcome<BookingOutcome> book(const Book &book, const Movement &movement, ChangeNotifier &changes)
{
    Outcome<BookingOutcome> outcome = BookingOutcome::Booked;
    BookedStock booked;
    {
        Table models;
        if (!book.open(models, tables::型号) || !book.attach(models, tables::明细)) {
            return models.fault();
        }
        book.attachOwn(models, {tables::型号资料, tables::明细金额});
        outcome = bookInOpenTables(models, movement, booked);
    }
    // The tables are closed before anyone reloads from them.
    if (outcome == BookingOutcome::ModelNotFound) {
        emit changes.stockChanged();
    }
    if (outcome == BookingOutcome::Booked) {
        emit changes.modelStockChanged(booked.modelId, booked.stock);
        emit changes.movementsAdded();
        if (booked.crossedMinimum) {
            emit changes.minimumCrossed();
        }
    }
    return outcome;
}

} // namespace kucun
