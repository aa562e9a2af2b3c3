#pragma once

#include "Reports.h"

#include <QStringList>

namespace kucun {

struct AppContext;

// Asks where and as what the report list, as it is shown, is to be saved
// (an Excel workbook, CSV or the web table of 导出表格) and saves it there,
// or says that it could not be saved. The folder is proposed again next time.
void saveReportAs(ReportContext &context, Report report);
// The same for any list, under the title and sheet name given, proposing
// the name made of the parts.
void saveListAs(AppContext &context, const ListView &list, const QString &title,
                const QString &sheetName, const QStringList &nameParts);

} // namespace kucun
