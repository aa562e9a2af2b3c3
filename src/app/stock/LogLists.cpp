#include "LogLists.h"

#include "app/AppContext.h"
#include "app/FormParts.h"
#include "app/Messages.h"
#include "book/ValueText.h"
#include "book/stock/LogQueries.h"
#include "ui/ListView.h"
#include "ui/MovementIcons.h"
#include "ui/PagedListModel.h"

#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <cmath>

namespace kucun {

namespace {

ListRow rowOf(const MovementRecord &movement, LogColumns columns, ValueTexts &texts)
{
    const bool withDate = columns == LogColumns::WithDate;
    ListRow row;
    row.id = movement.id;
    row.record = QVariant::fromValue(movement);
    row.cells.reserve(withDate ? 9 : 8);
    row.cells << QString(); // the list numbers its rows itself
    if (withDate) {
        row.cells << texts.dateTime(movement.date);
    }
    row.cells << movement.category << movement.item << movement.model << texts.number(movement.in)
              << texts.number(movement.out) << movement.unit << movement.remark;
    const int inColumn = withDate ? 5 : 4;
    const bool bookedIn = std::abs(movement.in) > numberTolerance;
    row.iconColumn = qint16(bookedIn ? inColumn : inColumn + 1);
    row.iconIndex = qint16(bookedIn ? MovementIcon::In : MovementIcon::Out);
    return row;
}

struct LogView
{
    ListView *list;
    QLabel *inTotal;
    QLabel *outTotal;
    QString emptyTotal;
};

LogView viewFor(Form &form, LogQuery query)
{
    if (query == LogQuery::Day) {
        return {form.超级列表框日志, form.标签入库合计, form.标签出库合计, QStringLiteral("0")};
    }
    return {form.超级列表框明细, form.标签明细入库合计, form.标签明细出库合计, QString()};
}

ReadResult<LogMatches> run(const Book &book, const Form &form, LogQuery query)
{
    switch (query) {
    case LogQuery::Day:
        return movementsOfDay(book, form.日期框进销->date());
    case LogQuery::Keyword:
        return movementsWithKeyword(book, form.编辑框关键字->text());
    case LogQuery::DateRange:
        return movementsBetween(book, form.日期框明细起->date(), form.日期框明细止->date());
    }
    return std::nullopt;
}

QStringList columnTitles(LogColumns columns)
{
    QStringList titles{QStringLiteral("序号")};
    if (columns == LogColumns::WithDate) {
        titles << QStringLiteral("日期");
    }
    titles << QStringLiteral("品类") << QStringLiteral("名称") << QStringLiteral("型号")
           << QStringLiteral("入库") << QStringLiteral("出库") << QStringLiteral("单位")
           << QStringLiteral("备注");
    return titles;
}

PagedListModel::RowFetcher rowFetcher(const Book &book, LogColumns columns)
{
    return [book, columns](const QList<qint64> &ids) -> std::optional<std::vector<ListRow>> {
        // A page is fetched while the view paints: a log that can't be read
        // now shows empty rows (the next search reports why).
        const ReadResult<std::vector<MovementRecord>> movements = readMovements(book, ids);
        if (!movements) {
            return std::nullopt;
        }
        std::vector<ListRow> rows;
        rows.reserve(movements->size());
        ValueTexts texts;
        for (const MovementRecord &movement : *movements) {
            rows.push_back(rowOf(movement, columns, texts));
        }
        return rows;
    };
}

} // namespace

ListView *makeLogList(const Book &book, const QString &designerName, const QString &spokenName,
                      LogColumns columns, const QList<int> &columnWidths)
{
    auto *rows = new PagedListModel(columnTitles(columns), rowFetcher(book, columns));
    rows->setImageList(movementIcons());
    const int inColumn = columns == LogColumns::WithDate ? 5 : 4;
    rows->setQuantityColumns({inColumn, inColumn + 1});
    return makeList(designerName, spokenName, rows, columnWidths);
}

void loadLog(AppContext &context, LogQuery query)
{
    const LogView view = viewFor(context.form, query);
    view.list->pagedList().clear();
    view.inTotal->setText(view.emptyTotal);
    view.outTotal->setText(view.emptyTotal);

    ReadResult<LogMatches> matches = run(context.folders, context.form, query);
    if (!matches) {
        reportTableFailure(context.dialogs, matches.fault(), QString());
        return;
    }
    context.form.透明标签日志总数->setText(
        QStringLiteral("当前数据库中日志记录总数为：%1条").arg(matches->recordCount));
    if (!matches->ids.isEmpty()) {
        view.inTotal->setText(totalText(matches->totalIn));
        view.outTotal->setText(totalText(matches->totalOut));
    }
    view.list->pagedList().setIds(std::move(matches->ids));
}

void searchLogByKeyword(AppContext &context)
{
    context.state.lastLogSearch = LogSearch::Keyword;
    loadLog(context, LogQuery::Keyword);
}

void searchLogByDateRange(AppContext &context)
{
    context.state.lastLogSearch = LogSearch::DateRange;
    loadLog(context, LogQuery::DateRange);
}

void reloadLogsAfterDeletion(AppContext &context)
{
    switch (context.state.lastLogSearch) {
    case LogSearch::Keyword:
        loadLog(context, LogQuery::Keyword);
        break;
    case LogSearch::DateRange:
        loadLog(context, LogQuery::DateRange);
        break;
    case LogSearch::None:
        break;
    }
    loadLog(context, LogQuery::Day);
}

} // namespace kucun
