#pragma once

#include "Reports.h"

namespace kucun {

struct AppContext;
class FormPreview;

// The print button of a report list: lays out the rows the list shows, in
// the order shown, with the total its label shows, and opens the print
// preview of the form.
void printReportForm(ReportContext &context, FormPreview &preview, Report report);

} // namespace kucun
