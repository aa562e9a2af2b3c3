#include "ReportExport.h"

#include "app/AppContext.h"
#include "app/Messages.h"
#include "book/sheets/SpreadsheetExport.h"
#include "ui/Dialogs.h"

#include <QDir>

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

} // namespace kucun
