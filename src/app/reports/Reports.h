#pragma once

class QLabel;

namespace kucun {

struct Form;
class ListView;

// The three report lists of the report page.
enum class Report
{
    WholeStock, // 超级列表框总库存
    ByCategory, // 超级列表框类库存
    Monthly,    // 超级列表框月库存
};

// The list of a report and the label that shows its total.
ListView *reportList(const Form &form, Report report);
QLabel *reportTotal(const Form &form, Report report);

} // namespace kucun
