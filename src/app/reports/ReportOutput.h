#pragma once

#include "Reports.h"

#include <QStringList>

namespace kucun {

struct AppContext;
class FormPreview;

// Writes the report list, as it is shown, to the spreadsheet file in the
// export folder (made if missing) and names the file written, or says that
// it could not be saved.
void exportReport(ReportContext &context, Report report);
// The same for any list, under the title given.
void exportList(AppContext &context, const ListView &list, const QString &title);

// Asks where and as what the report list, as it is shown, is to be saved
// (an Excel workbook, CSV or the web table of 导出表格) and saves it there,
// or says that it could not be saved. The folder is proposed again next time.
void saveReportAs(ReportContext &context, Report report);
// The same for any list, under the title and sheet name given, proposing
// the name made of the parts.
// withoutTotal: the list's figure columns the sheet's totals row leaves out.
void saveListAs(AppContext &context, const ListView &list, const QString &title,
                const QString &sheetName, const QStringList &nameParts,
                const QList<int> &withoutTotal = {});

// The print button of a report list: lays out the rows the list shows, in
// the order shown, with the total its label shows, and opens the print
// preview of the form.
void printReportForm(ReportContext &context, FormPreview &preview, Report report);

} // namespace kucun
