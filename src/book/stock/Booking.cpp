#include "Booking.h"

#include "book/ChangeNotifier.h"
#include "book/TableFailure.h"
#include "book/ValueText.h"
#include "store/Table.h"
#include "store/TableSchema.h"

namespace kucun {

namespace {

// The movement record, in the field order of 明细.
QVariantList movementRecord(const Movement &movement, const QString &unit)
{
    const QVariant booked(movement.quantity);
    const bool in = movement.kind == MovementKind::In;
    return {movement.date,  movement.category,        movement.item,
            movement.model, in ? booked : QVariant(), in ? QVariant() : booked,
            unit,           movement.remark};
}

// The model a booking changed and its stock after it.
struct BookedStock
{
    qint64 modelId = 0;
    double stock = 0;
};

BookingOutcome bookInOpenTables(Table &models, const Movement &movement, BookedStock &booked)
{
    if (!models.beginTransaction()) {
        return failureOf<BookingOutcome>(models);
    }
    models.first();
    const bool found = models.findTexts({{fields::品类, movement.category},
                                         {fields::名称, movement.item},
                                         {fields::型号, movement.model}});
    if (!found) {
        // A search the file could not answer is no missing model.
        const BookingOutcome outcome = models.fault() == StoreFault::None
                                           ? BookingOutcome::ModelNotFound
                                           : failureOf<BookingOutcome>(models);
        models.rollback();
        return outcome;
    }
    const double stock = models.number(fields::库存);
    const bool in = movement.kind == MovementKind::In;
    if (!in && stock - movement.typedQuantity < -numberTolerance) {
        models.rollback();
        return BookingOutcome::NotEnoughStock;
    }
    const double newStock = in ? stock + movement.quantity : stock - movement.quantity;
    const QString unit = models.text(fields::单位);
    QVariantList stockOnly(models.schema().fields().size());
    stockOnly[models.schema().indexOf(fields::库存)] = newStock;
    const bool written = models.modify(stockOnly) &&
                         models.appendTo(tables::明细, movementRecord(movement, unit)) &&
                         models.commit();
    if (!written) {
        const BookingOutcome failure = failureOf<BookingOutcome>(models);
        models.rollback();
        return failure;
    }
    booked = {models.current().rowId(), newStock};
    return BookingOutcome::Booked;
}

} // namespace

BookingOutcome book(const Movement &movement, ChangeNotifier &changes)
{
    BookingOutcome outcome;
    BookedStock booked;
    {
        Table models;
        if (!models.open(tables::型号, tablePassword()) ||
            !models.attach(tables::明细, tablePassword())) {
            return failureOf<BookingOutcome>(models);
        }
        outcome = bookInOpenTables(models, movement, booked);
    }
    // The tables are closed before anyone reloads from them.
    if (outcome == BookingOutcome::ModelNotFound) {
        emit changes.stockChanged();
    }
    if (outcome == BookingOutcome::Booked) {
        emit changes.modelStockChanged(booked.modelId, booked.stock);
        emit changes.movementsAdded();
    }
    return outcome;
}

} // namespace kucun
