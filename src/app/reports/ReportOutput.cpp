#include "ReportOutput.h"

#include "app/AppContext.h"
#include "app/Messages.h"
#include "book/forms/ReportForms.h"
#include "book/sheets/SaveFolder.h"
#include "book/sheets/SheetFile.h"
#include "book/sheets/SpreadsheetExport.h"
#include "ui/Dialogs.h"
#include "ui/FormPreview.h"
#include "ui/ListView.h"

#include <QDir>
#include <QFileInfo>
#include <QLabel>

namespace kucun {

void exportReport(ReportContext &context, Report report)
{
    const ReportDescription &shown = describe(report);
    exportList(context, *(context.page.*shown.list), shown.exportTitle(context.page));
}

void exportList(AppContext &context, const ListView &list, const QString &title)
{
    const QString path = spreadsheetPath(context.exportDir);
    const QByteArray file = spreadsheetBytes(shownTable(list), title, true);
    if (!QDir().mkpath(context.exportDir) || !saveFile(path, file)) {
        tell(context.dialogs, QStringLiteral("文件保存失败：") + QDir::toNativeSeparators(path),
             Dialogs::Error);
        return;
    }
    inform(context.dialogs, QStringLiteral("文件已保存到：") + QDir::toNativeSeparators(path));
}

void saveReportAs(ReportContext &context, Report report)
{
    const ReportDescription &shown = describe(report);
    saveListAs(context, *(context.page.*shown.list), shown.exportTitle(context.page),
               shown.sheetName, {shown.sheetName, shown.fileDay(context.page)},
               shown.columns.withoutTotal);
}

void saveListAs(AppContext &context, const ListView &list, const QString &title,
                const QString &sheetName, const QStringList &nameParts,
                const QList<int> &withoutTotal)
{
    QStringList types;
    for (const SheetType type : sheetTypes()) {
        types.append(sheetTypeFilter(type));
    }
    const std::optional<Dialogs::SaveChoice> choice = context.dialogs.chooseSaveFile(
        QStringLiteral("另存为"), saveFolder(context.folders.program),
        proposedSheetFileName(nameParts, sheetTypes().constFirst()), types);
    if (!choice) {
        return;
    }
    const SheetType type =
        sheetTypeOf(choice->path, sheetTypes().value(choice->type, sheetTypes().constFirst()));
    if (!saveSheet(choice->path, type, shownTable(list),
                   {title, sheetName, list.quantityColumns(), withoutTotal})) {
        tell(context.dialogs,
             QStringLiteral("文件保存失败：") + QDir::toNativeSeparators(choice->path),
             Dialogs::Error);
        return;
    }
    rememberSaveFolder(context.folders.program, QFileInfo(choice->path).absolutePath());
}

void printReportForm(ReportContext &context, FormPreview &preview, Report report)
{
    const ReportPage &page = context.page;
    const ReportDescription &shown = describe(report);
    const ShownTable table = shownTable(*(page.*shown.list));
    const QString total = (page.*shown.total)->text();
    if (shown.wholeForm) {
        QList<QStringList> rows = table.rows;
        for (QStringList &row : rows) {
            row.removeFirst();
        }
        preview.show(layOutListForm(shown.formTitle(page), table.columnTitles, rows,
                                    shown.columns.figures, total, QDateTime::currentDateTime()));
        return;
    }
    // The stock form takes list columns 1 to 5 (品类 to 单位) of every row,
    // top to bottom.
    QList<QStringList> rows = table.rows;
    for (QStringList &row : rows) {
        row = row.mid(1, 5);
    }
    preview.show(
        layOutReportForm(shown.formTitle(page), rows, total, QDateTime::currentDateTime()));
}

} // namespace kucun
