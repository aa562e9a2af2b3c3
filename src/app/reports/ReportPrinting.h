#pragma once

namespace kucun {

struct AppContext;
class FormPreview;

// The print buttons of the three report lists: each lays out the rows the
// list shows, in the order shown, with the total its label shows, and opens
// the print preview of the form.
void printTotalForm(AppContext &context, FormPreview &preview);
void printCategoryForm(AppContext &context, FormPreview &preview);
void printMonthlyForm(AppContext &context, FormPreview &preview);

} // namespace kucun
