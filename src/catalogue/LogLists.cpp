#include "LogLists.h"

#include "app/AppContext.h"
#include "app/OpenTable.h"
#include "store/Table.h"
#include "store/ValueText.h"
#include "ui/ListModel.h"
#include "ui/ListView.h"
#include "ui/MovementIcons.h"

#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <algorithm>
#include <cmath>
#include <functional>

namespace kucun {

namespace {

// The earliest and latest dates a log date is compared within.
const QDate firstComparableDay(100, 1, 1);
const QDate lastComparableDay(9999, 12, 31);

QDate clamped(const QDate &date)
{
    return std::clamp(date, firstComparableDay, lastComparableDay);
}

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

// The field indexes of 明细, looked up once per load.
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

// Number and date cell texts of a log list, each distinct one made once and
// shared (the table shares the stored texts already).
class LogTexts
{
public:
    QString number(double value)
    {
        auto it = m_numbers.constFind(value);
        if (it == m_numbers.constEnd()) {
            it = m_numbers.insert(value, numberText(value));
        }
        return *it;
    }
    QString date(const QDateTime &value)
    {
        auto it = m_dates.constFind(value);
        if (it == m_dates.constEnd()) {
            it = m_dates.insert(value, dateTimeText(value));
        }
        return *it;
    }

private:
    QHash<double, QString> m_numbers;
    QHash<QDateTime, QString> m_dates;
};

struct LogQueryPlan
{
    ListView *list;
    QLabel *inTotal;
    QLabel *outTotal;
    QString emptyTotal;
    RecordFilter filter;
    std::function<bool(const Record &)> passes;
    bool withDate;
};

LogQueryPlan planFor(AppContext &context, LogQuery query)
{
    Form &form = context.form;
    const auto dateRange = [](const QDate &fromDay, const QDate &toDay) {
        const QDateTime from = storedDateTime(clamped(fromDay));
        const QDateTime to = storedDateTime(clamped(toDay));
        return [from, to](const Record &record) {
            const QDateTime date = clamped(record.dateTime(fields::日期));
            return date.isValid() && from <= date && date <= to;
        };
    };
    switch (query) {
    case LogQuery::Day: {
        const QDate day = form.日期框进销->date();
        return {form.超级列表框日志,
                form.标签入库合计,
                form.标签出库合计,
                QStringLiteral("0"),
                RecordFilter::dateTimeBetween(fields::日期, day, day),
                dateRange(day, day),
                false};
    }
    case LogQuery::Keyword: {
        const QString keyword = form.编辑框关键字->text();
        return {form.超级列表框明细,
                form.标签明细入库合计,
                form.标签明细出库合计,
                QString(),
                RecordFilter::anyContains({fields::品类, fields::名称, fields::型号, fields::备注},
                                          keyword),
                [](const Record &) { return true; },
                true};
    }
    case LogQuery::DateRange: {
        const QDate from = form.日期框明细起->date();
        const QDate to = form.日期框明细止->date();
        return {form.超级列表框明细,
                form.标签明细入库合计,
                form.标签明细出库合计,
                QString(),
                RecordFilter::dateTimeBetween(fields::日期, from, to),
                dateRange(from, to),
                true};
    }
    }
    Q_UNREACHABLE();
}

} // namespace

void loadLog(AppContext &context, LogQuery query)
{
    const LogQueryPlan plan = planFor(context, query);
    plan.list->list().clear();
    plan.list->list().setImageList(movementIcons());
    plan.inTotal->setText(plan.emptyTotal);
    plan.outTotal->setText(plan.emptyTotal);
    const bool keepsRecords = query != LogQuery::Day;
    if (keepsRecords) {
        context.state.logResultRecords.clear();
    }

    Table table;
    if (!openOrReport(table, tables::明细, context.dialogs)) {
        return;
    }
    context.form.透明标签日志总数->setText(
        QStringLiteral("当前数据库中日志记录总数为：%1条").arg(table.recordCount()));

    const LogFields field(table.schema());
    std::vector<ListRow> rows;
    QList<qint64> records;
    LogTexts texts;
    double totalIn = 0;
    double totalOut = 0;
    table.forEachMatching(plan.filter, [&](const Record &record) {
        if (!plan.passes(record)) {
            return;
        }
        const double in = record.numberAt(field.in);
        const double out = record.numberAt(field.out);
        ListRow row;
        row.cells.reserve(plan.withDate ? 9 : 8);
        row.cells << QString(); // the list numbers its rows itself
        if (plan.withDate) {
            row.cells << texts.date(record.dateTimeAt(field.date));
        }
        row.cells << record.textAt(field.category) << record.textAt(field.item)
                  << record.textAt(field.model) << texts.number(in) << texts.number(out)
                  << record.textAt(field.unit) << record.textAt(field.remark);
        const int inColumn = plan.withDate ? 5 : 4;
        const bool bookedIn = std::abs(in) > numberTolerance;
        row.iconColumn = qint16(bookedIn ? inColumn : inColumn + 1);
        row.iconIndex = qint16(bookedIn ? MovementIcon::In : MovementIcon::Out);
        rows.push_back(std::move(row));
        records.append(record.rowId());
        totalIn += in;
        totalOut += out;
    });
    if (!rows.empty()) {
        plan.inTotal->setText(numberText(totalIn));
        plan.outTotal->setText(numberText(totalOut));
    }
    plan.list->list().setRows(std::move(rows));
    if (keepsRecords) {
        context.state.logResultRecords = std::move(records);
    }
}

void searchLogByKeyword(AppContext &context)
{
    context.state.lastLogSearch = 1;
    loadLog(context, LogQuery::Keyword);
}

void searchLogByDateRange(AppContext &context)
{
    context.state.lastLogSearch = 2;
    loadLog(context, LogQuery::DateRange);
}

void reloadLogsAfterChange(AppContext &context)
{
    if (context.state.lastLogSearch == 1) {
        loadLog(context, LogQuery::Keyword);
    } else if (context.state.lastLogSearch == 2) {
        loadLog(context, LogQuery::DateRange);
    }
    loadLog(context, LogQuery::Day);
}

void rememberSelectedLogRows(AppContext &context)
{
    const QList<int> selected = context.form.超级列表框明细->selectedRows();
    if (!selected.isEmpty()) {
        context.state.selectedLogRows = QList<qint32>(selected.cbegin(), selected.cend());
    }
}

} // namespace kucun
