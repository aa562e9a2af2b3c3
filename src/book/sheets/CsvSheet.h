#pragma once

#include "SpreadsheetExport.h"

#include <QByteArray>
#include <QList>

namespace kucun {

// The list as CSV for a spreadsheet: UTF-8 with a byte-order mark (which
// Excel needs to read Chinese), the heading row, then one record a row, each
// ended by CR LF, fields quoted as RFC 4180 asks. A text beginning with =, +,
// -, @, a tab or a CR gets a leading ' so that no spreadsheet runs it as a
// formula; a number in a quantity column is written as it is.
QByteArray csvBytes(const ShownTable &table, const QList<int> &quantityColumns);

} // namespace kucun
