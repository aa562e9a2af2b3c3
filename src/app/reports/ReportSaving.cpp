#include "ReportSaving.h"

#include "app/AppContext.h"
#include "app/Messages.h"
#include "book/reports/SaveFolder.h"
#include "book/reports/SheetFile.h"
#include "ui/Dialogs.h"
#include "ui/ListView.h"

#include <QDate>
#include <QDir>
#include <QFileInfo>

namespace kucun {

void saveReportAs(AppContext &context, Report report)
{
    const ReportDescription &shown = describe(report);
    QStringList types;
    for (const SheetType type : sheetTypes()) {
        types.append(sheetTypeFilter(type));
    }
    const std::optional<Dialogs::SaveChoice> choice = context.dialogs.chooseSaveFile(
        QStringLiteral("另存为"), saveFolder(context.programDir),
        proposedSheetFileName(shown.sheetName, QDate::currentDate(), sheetTypes().constFirst()),
        types);
    if (!choice) {
        return;
    }
    const SheetType type =
        sheetTypeOf(choice->path, sheetTypes().value(choice->type, sheetTypes().constFirst()));
    const ListView &list = *(context.form.*shown.list);
    if (!saveSheet(choice->path, type, shownTable(list),
                   {shown.exportTitle, shown.sheetName, list.quantityColumns()})) {
        tell(context.dialogs,
             QStringLiteral("文件保存失败：") + QDir::toNativeSeparators(choice->path),
             Dialogs::Error);
        return;
    }
    rememberSaveFolder(context.programDir, QFileInfo(choice->path).absolutePath());
}

} // namespace kucun
