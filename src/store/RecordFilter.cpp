#include "RecordFilter.h"

#include "SqlCipher.h"

namespace kucun {

namespace {

QString textOf(const QString &field)
{
    return QStringLiteral("coalesce(%1, '')").arg(sql::quoteIdentifier(field));
}

} // namespace

RecordFilter RecordFilter::none()
{
    RecordFilter filter;
    filter.sqlCondition = QStringLiteral("1 = 0");
    return filter;
}

RecordFilter RecordFilter::all()
{
    RecordFilter filter;
    filter.sqlCondition = QStringLiteral("1 = 1");
    return filter;
}

RecordFilter RecordFilter::idsIn(const QList<qint64> &ids)
{
    if (ids.isEmpty()) {
        return none();
    }
    RecordFilter filter;
    for (const qint64 id : ids) {
        filter.parameters << id;
    }
    filter.sqlCondition = QStringLiteral("rowid IN (%1)").arg(sql::placeholders(int(ids.size())));
    return filter;
}

RecordFilter RecordFilter::numbersIn(const QString &field, const QList<qint64> &numbers)
{
    if (numbers.isEmpty()) {
        return none();
    }
    RecordFilter filter;
    for (const qint64 number : numbers) {
        filter.parameters << number;
    }
    filter.sqlCondition =
        QStringLiteral("%1 IN (%2)")
            .arg(sql::quoteIdentifier(field), sql::placeholders(int(numbers.size())));
    return filter;
}

RecordFilter RecordFilter::textsEqual(const QList<std::pair<QString, QString>> &fieldEqualsText)
{
    RecordFilter filter;
    QStringList terms;
    for (const auto &[field, text] : fieldEqualsText) {
        const QString column = sql::quoteIdentifier(field);
        if (text.isEmpty()) {
            terms << QStringLiteral("(%1 IS NULL OR %1 = '')").arg(column);
        } else {
            // A stored NULL never equals a text that is not empty, and the
            // bare column lets SQLite use an index on it.
            terms << column + QStringLiteral(" = ?");
            filter.parameters << text;
        }
    }
    filter.sqlCondition =
        terms.isEmpty() ? QStringLiteral("1") : terms.join(QStringLiteral(" AND "));
    return filter;
}

RecordFilter RecordFilter::anyContains(const QStringList &textFields, const QString &keyword)
{
    RecordFilter filter;
    QStringList terms;
    for (const QString &field : textFields) {
        terms << QStringLiteral("instr(%1, ?) > 0").arg(textOf(field));
        filter.parameters << keyword;
    }
    filter.sqlCondition =
        terms.isEmpty() ? QStringLiteral("0") : terms.join(QStringLiteral(" OR "));
    return filter;
}

RecordFilter RecordFilter::dateTimeBetween(const QString &field, const QDate &from, const QDate &to)
{
    // Stored texts sort in time order; "2024-05-03" sorts before
    // "2024-05-03 00:00:00", so both forms of the first day are in range.
    const QString column = sql::quoteIdentifier(field);
    const QString low = from.toString(QStringLiteral("yyyy-MM-dd"));
    const QString high = to.toString(QStringLiteral("yyyy-MM-dd 00:00:00"));
    return {QStringLiteral("%1 >= ? AND %1 <= ?").arg(column), {low, high}, field, low, high};
}

RecordFilter RecordFilter::dateTimeInDays(const QString &field, const QDate &from,
                                          const QDate &last)
{
    const QString column = sql::quoteIdentifier(field);
    const QString low = from.toString(QStringLiteral("yyyy-MM-dd"));
    // "2024-06-01" sorts before every time of that day; past 9999-12-31 any
    // stored text of that day sorts before "9999-12-31~".
    const QDate after = last.addDays(1);
    const QString high = after.isValid() && after.year() <= 9999
                             ? after.toString(QStringLiteral("yyyy-MM-dd"))
                             : last.toString(QStringLiteral("yyyy-MM-dd~"));
    return {QStringLiteral("%1 >= ? AND %1 < ?").arg(column), {low, high}, field, low, high};
}

RecordFilter RecordFilter::dateTimeFrom(const QString &field, const QDate &from)
{
    const QString low = from.toString(QStringLiteral("yyyy-MM-dd"));
    return {QStringLiteral("%1 >= ?").arg(sql::quoteIdentifier(field)),
            {low},
            field,
            low,
            QStringLiteral("9999-12-31 23:59:59")};
}

} // namespace kucun
