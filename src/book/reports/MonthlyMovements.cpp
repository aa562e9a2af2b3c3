#include "MonthlyMovements.h"

#include "book/ValueText.h"
#include "store/Table.h"
#include "store/TableSchema.h"

#include <algorithm>
#include <cmath>

namespace kucun {

namespace {

bool isZero(double quantity)
{
    return std::abs(quantity) <= numberTolerance;
}

// The figure after one movement: the figure counts in whole units, then the
// quantity booked is added or taken away.
double afterMovement(double figure, double in, double out)
{
    if (isZero(in)) {
        return std::trunc(figure) - out;
    }
    if (isZero(out)) {
        return std::trunc(figure) + in;
    }
    return figure;
}

} // namespace

ReadResult<std::vector<double>>
monthlyNetMovements(const Book &book, const std::vector<ModelKey> &models, int year, int month)
{
    const QDate first(year, month, 1);
    if (!first.isValid()) {
        return std::vector<double>(models.size(), 0.0);
    }
    Table table;
    if (!book.open(table, tables::明细)) {
        return table.fault();
    }
    const FirstKeyIndex firstKey(models);

    std::vector<double> figures(models.size(), 0.0);
    // From the first of the month up to the first of the next (the last day
    // stored, in December 9999); the exact month is checked on the date read.
    const QDate after = std::min(first.addMonths(1), QDate(9999, 12, 31));
    const RecordFilter aroundMonth = RecordFilter::dateTimeBetween(fields::日期, first, after);
    const bool whole = table.forEachMatching(
        aroundMonth,
        {fields::日期, fields::品类, fields::名称, fields::型号, fields::入库, fields::出库},
        [&](const Record &record) {
            const QDate day = record.dateTimeAt(0).date();
            if (day.year() != year || day.month() != month) {
                return;
            }
            const qsizetype row =
                firstKey.find({record.textAt(1), record.textAt(2), record.textAt(3)});
            if (row < 0) {
                return;
            }
            double &figure = figures[size_t(row)];
            figure = afterMovement(figure, record.numberAt(4), record.numberAt(5));
        });
    if (!whole) {
        return table.fault();
    }
    return figures;
}

} // namespace kucun
