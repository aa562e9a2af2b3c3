#include "ReportPrinting.h"

#include "app/AppContext.h"
#include "book/forms/ReportForms.h"
#include "book/sheets/SpreadsheetExport.h"
#include "ui/FormPreview.h"

#include <QLabel>

namespace kucun {

void printReportForm(ReportContext &context, FormPreview &preview, Report report)
{
    const ReportPage &page = context.page;
    const ReportDescription &shown = describe(report);
    // The form takes list columns 1 to 5 (品类 to 单位) of every row, top to
    // bottom.
    QList<QStringList> rows = shownTable(*(page.*shown.list)).rows;
    for (QStringList &row : rows) {
        row = row.mid(1, 5);
    }
    preview.show(layOutReportForm(shown.formTitle(page), rows, (page.*shown.total)->text(),
                                  QDateTime::currentDateTime()));
}

} // namespace kucun
