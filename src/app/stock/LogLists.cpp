#include "LogLists.h"

#include "app/AppContext.h"
#include "app/FormParts.h"
#include "app/Messages.h"
#include "book/ValueText.h"
#include "ui/ListView.h"
#include "ui/MovementIcons.h"
#include "ui/PagedListModel.h"

#include <QLabel>
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

std::optional<qint64> showLog(AppContext &context, const LogView &view,
                              ReadResult<LogMatches> matches)
{
    view.list->pagedList().clear();
    view.inTotal->setText(view.emptyTotal);
    view.outTotal->setText(view.emptyTotal);
    if (!matches) {
        reportTableFailure(context.dialogs, matches.fault(), QString());
        return std::nullopt;
    }
    if (!matches->ids.isEmpty()) {
        view.inTotal->setText(totalText(matches->totalIn));
        view.outTotal->setText(totalText(matches->totalOut));
    }
    view.list->pagedList().setIds(std::move(matches->ids));
    return matches->recordCount;
}

} // namespace kucun
