#pragma once

#include "Reports.h"

namespace kucun {

struct AppContext;

// Writes the report list, as it is shown, to the spreadsheet file in the
// export folder (made if missing) and names the file written, or says that
// it could not be saved.
void exportReport(ReportContext &context, Report report);
// The same for any list, under the title given.
void exportList(AppContext &context, const ListView &list, const QString &title);

} // namespace kucun
