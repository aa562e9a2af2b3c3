#include "ReportExport.h"

#include "app/AppContext.h"
#include "app/Messages.h"
#include "book/reports/SpreadsheetExport.h"
#include "ui/Dialogs.h"
#include "ui/ListModel.h"
#include "ui/ListView.h"

#include <QDir>

namespace kucun {

namespace {

QString titleOf(Report report)
{
    switch (report) {
    case Report::WholeStock:
        return QStringLiteral("岚栖库存管理—总库存");
    case Report::ByCategory:
        return QStringLiteral("岚栖库存管理—类库存");
    case Report::Monthly:
        return QStringLiteral("岚栖库存管理—月库存");
    }
    return {};
}

// Every cell as the list shows it, rows in the order shown.
ShownTable shownTable(const ListView &list)
{
    ShownTable table;
    for (int column = 0; column < list.columnCount(); ++column) {
        table.columnTitles.append(list.list().columnTitle(column));
    }
    table.rows.reserve(list.rowCount());
    for (int row = 0; row < list.rowCount(); ++row) {
        QStringList cells;
        for (int column = 0; column < list.columnCount(); ++column) {
            cells.append(list.cellText(row, column));
        }
        table.rows.append(cells);
    }
    return table;
}

} // namespace

void exportReport(AppContext &context, Report report)
{
    const QString path = spreadsheetPath(context.programDir);
    const QByteArray file =
        spreadsheetBytes(shownTable(*reportList(context.form, report)), titleOf(report), true);
    if (!saveFile(path, file)) {
        tell(context.dialogs, QStringLiteral("文件保存失败：") + QDir::toNativeSeparators(path),
             Dialogs::Error);
        return;
    }
    inform(context.dialogs,
           QStringLiteral("文件已保存到：") + QDir::toNativeSeparators(context.programDir));
}

} // namespace kucun
