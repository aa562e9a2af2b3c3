#pragma once

#include "ReportPage.h"

namespace kucun {

// A choice in the selectors of the category report: level 1 is a category
// chosen in 组合框1, level 2 an item in 组合框2, level 3 a model in 组合框3.
// Lists the models that match the choices up to that level in
// 超级列表框类库存 with their total, and offers the next level's choices.
void runCategoryQuery(ReportContext &context, int level);

// The category report again for the choices it shows, after the catalogue
// or the stock changed.
void refreshCategoryReport(ReportContext &context);

// After the catalogue was read: 组合框1 offers its categories; the category
// chosen stays chosen while it is still there.
void offerCategories(ReportContext &context);

} // namespace kucun
