#pragma once

#include "SheetFile.h"

#include <QByteArray>
#include <optional>

namespace kucun {

// The list as an Excel workbook of one sheet named after the report: the
// title merged across the columns on row 1, the heading row bold, frozen and
// filtered, quantities as numbers shown with the decimals the list shows,
// every other cell a text, a totals row summing each quantity column with a
// formula, and each column as wide as its longest text. Nothing when the
// workbook could not be made.
std::optional<QByteArray> xlsxBytes(const ShownTable &table, const SheetDescription &sheet);

} // namespace kucun
