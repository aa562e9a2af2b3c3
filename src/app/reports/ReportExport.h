#pragma once

namespace kucun {

struct AppContext;

// The three report lists of the report page.
enum class Report
{
    WholeStock, // 超级列表框总库存
    ByCategory, // 超级列表框类库存
    Monthly,    // 超级列表框月库存
};

// Writes the report list, as it is shown, to the spreadsheet file in the
// program's directory and says where it went, or that it could not be saved.
void exportReport(AppContext &context, Report report);

} // namespace kucun
