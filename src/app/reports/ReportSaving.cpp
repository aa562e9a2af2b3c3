#include "ReportSaving.h"

#include "app/AppContext.h"
#include "app/Messages.h"
#include "book/sheets/SaveFolder.h"
#include "book/sheets/SheetFile.h"
#include "ui/Dialogs.h"
#include "ui/ListView.h"

#include <QDir>
#include <QFileInfo>

namespace kucun {

void saveReportAs(AppContext &context, Report report)
{
    const ReportDescription &shown = describe(report);
    saveListAs(context, *(context.form.*shown.list), shown.exportTitle(context.form),
               shown.sheetName, {shown.sheetName, shown.fileDay(context.form)});
}

void saveListAs(AppContext &context, const ListView &list, const QString &title,
                const QString &sheetName, const QStringList &nameParts)
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
                   {title, sheetName, list.quantityColumns()})) {
        tell(context.dialogs,
             QStringLiteral("文件保存失败：") + QDir::toNativeSeparators(choice->path),
             Dialogs::Error);
        return;
    }
    rememberSaveFolder(context.folders.program, QFileInfo(choice->path).absolutePath());
}

} // namespace kucun
