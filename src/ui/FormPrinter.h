#pragma once

#include "book/forms/PrintTable.h"

#include <QList>

class QPrinter;

namespace kucun {

// Paper, orientation and margins of the table on the printer.
void setUpPrinter(const PrintTable &table, QPrinter &printer);

// The rows each page shows, top to bottom, for pages whose printable area is
// pageHeight high (tenths of a millimetre). Rows run on to the next page when
// they do not fit; every page after the one with the heading row starts with
// that row again. A page always takes at least one row of its own.
QList<QList<int>> pageRows(const PrintTable &table, int pageHeight);

// Paints the table on the printer's pages, inside the page margins: ruled
// cells, merged cells, fonts, horizontal alignment, texts centred
// vertically.
void printTable(const PrintTable &table, QPrinter &printer);

} // namespace kucun
