#include "MovementWrite.h"

#include "Booking.h"
#include "book/money/ModelPrices.h"
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

} // namespace

std::optional<double> writeMovement(Table &models, const Movement &movement)
{
    const double stock = models.number(fields::库存);
    const double newStock =
        movement.kind == MovementKind::In ? stock + movement.quantity : stock - movement.quantity;
    QVariantList stockOnly(models.schema().fields().size());
    stockOnly[models.schema().indexOf(fields::库存)] = newStock;
    if (!models.modify(stockOnly) ||
        !models.appendTo(tables::明细, movementRecord(movement, models.text(fields::单位)))) {
        return std::nullopt;
    }
    const bool priced = models.holds(tables::型号资料) && models.holds(tables::明细金额);
    if (priced && !writeMovementMoney(models, movement, stock, models.lastAppendedId())) {
        return std::nullopt;
    }
    return newStock;
}

} // namespace kucun
