#include "LogQueries.h"

#include "store/Table.h"
#include "store/TableSchema.h"

#include <algorithm>
#include <functional>

namespace kucun {

namespace {

// The earliest and latest dates a log date is compared within.
const QDate firstComparableDay(100, 1, 1);
const QDate lastComparableDay(9999, 12, 31);

// A valid date-time within the comparable range; outside it, that range's
// nearest end.
QDateTime clamped(const QDateTime &moment)
{
    if (moment.date() < firstComparableDay) {
        return storedDateTime(firstComparableDay);
    }
    if (moment.date() > lastComparableDay) {
        return storedDateTime(lastComparableDay);
    }
    return moment;
}

QDate clamped(const QDate &date)
{
    return std::clamp(date, firstComparableDay, lastComparableDay);
}

// Where the fields of 明细 are; opening the table checked their types.
struct LogFields
{
    explicit LogFields(const Schema &schema)
        : date(schema.indexOf(fields::日期)), category(schema.indexOf(fields::品类)),
          item(schema.indexOf(fields::名称)), model(schema.indexOf(fields::型号)),
          in(schema.indexOf(fields::入库)), out(schema.indexOf(fields::出库)),
          unit(schema.indexOf(fields::单位)), remark(schema.indexOf(fields::备注))
    {
    }
    int date, category, item, model, in, out, unit, remark;
};

// Reads the quantities (and, for a date condition, the date) of the records
// SQL selects, keeps those that pass the exact test and sums them up.
ReadResult<LogMatches> matchingMovements(const Book &book, const RecordFilter &filter,
                                         const std::function<bool(const QDateTime &)> &onDate)
{
    Table table;
    if (!book.open(table, tables::明细)) {
        return table.fault();
    }
    LogMatches matches;
    matches.recordCount = table.recordCount();
    QStringList read{fields::入库, fields::出库};
    if (onDate) {
        read << fields::日期;
    }
    const bool whole = table.forEachMatching(filter, read, [&](const Record &record) {
        if (onDate && !onDate(record.dateTimeAt(2))) {
            return;
        }
        matches.ids.append(record.rowId());
        matches.totalIn += record.numberAt(0);
        matches.totalOut += record.numberAt(1);
    });
    if (!whole) {
        return table.fault();
    }
    return matches;
}

} // namespace

ReadResult<LogMatches> movementsOfDay(const Book &book, const QDate &day)
{
    return movementsBetween(book, day, day);
}

ReadResult<LogMatches> movementsWithKeyword(const Book &book, const QString &keyword)
{
    return matchingMovements(book,
                             RecordFilter::anyContains(
                                 {fields::品类, fields::名称, fields::型号, fields::备注}, keyword),
                             {});
}

ReadResult<LogMatches> movementsBetween(const Book &book, const QDate &from, const QDate &to)
{
    const QDate first = clamped(from);
    const QDate last = clamped(to);
    // SQL narrows the records down by the stored text; the exact test on the
    // read date-time decides. Starting at the first comparable day takes in
    // the earlier dates too, which count as that day.
    RecordFilter stored = RecordFilter::dateTimeBetween(
        fields::日期, first == firstComparableDay ? QDate(1, 1, 1) : first, last);
    if (first == last) {
        // A single day is read through the date index without sizing the range first.
        stored.rangeField.clear();
    }
    const QDateTime low = storedDateTime(first);
    const QDateTime high = storedDateTime(last);
    return matchingMovements(book, stored, [low, high](const QDateTime &date) {
        if (!date.isValid()) {
            return false; // no date, or not one
        }
        const QDateTime compared = clamped(date);
        return low <= compared && compared <= high;
    });
}

ReadResult<std::vector<MovementRecord>> readMovements(const Book &book, const QList<qint64> &ids)
{
    Table table;
    if (!book.open(table, tables::明细)) {
        return table.fault();
    }
    return readMovements(table, ids);
}

ReadResult<std::vector<MovementRecord>> readMovements(Table &table, const QList<qint64> &ids)
{
    const LogFields field(table.schema());
    std::vector<MovementRecord> movements;
    movements.reserve(size_t(ids.size()));
    const auto add = [&](const Record &record) {
        movements.push_back(
            {record.rowId(), record.dateTimeAt(field.date), record.textAt(field.category),
             record.textAt(field.item), record.textAt(field.model), record.numberAt(field.in),
             record.numberAt(field.out), record.textAt(field.unit), record.textAt(field.remark)});
    };
    for (qsizetype start = 0; start < ids.size(); start += RecordFilter::maximumIds) {
        if (!table.forEachMatching(RecordFilter::idsIn(ids.mid(start, RecordFilter::maximumIds)),
                                   add)) {
            return table.fault();
        }
    }
    // Chunks each come in record order; the whole does too.
    std::sort(movements.begin(), movements.end(),
              [](const MovementRecord &a, const MovementRecord &b) { return a.id < b.id; });
    return movements;
}

} // namespace kucun
