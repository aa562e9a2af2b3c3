#pragma once

#include "SpreadsheetExport.h"

#include <QList>
#include <QString>

namespace kucun {

// What a saved sheet holds besides the list: the title above it, the name
// of its sheet (the report's) and the columns whose cells are quantities.
struct SheetDescription
{
    QString title;
    QString name;
    QList<int> quantityColumns;
    // Quantity columns whose sum means nothing (unit prices, rates): the
    // totals row leaves them empty.
    QList<int> columnsWithoutTotal = {};
};

// The kinds of file a list is saved as, in the order a save dialog offers
// them.
enum class SheetType
{
    Xlsx,
    Csv,
    HtmlTable, // the bytes of 导出表格 under an .xls name
};

const QList<SheetType> &sheetTypes();

// The type as a save dialog lists it: "Excel 工作簿 (*.xlsx)".
QString sheetTypeFilter(SheetType type);

// The ending of a file of the type, without the dot: "xlsx".
QString sheetSuffix(SheetType type);

// The type of a file by the ending of its name; a name without one of the
// three endings is written as the chosen type.
SheetType sheetTypeOf(const QString &path, SheetType chosen);

// The name a save proposes: the parts joined by "-", each with the
// characters a file name can't hold (\ / : * ? " < > | and control
// characters) replaced by "_" and cut to a sensible length:
// {"期末库存", "2025-12-31"} gives "期末库存-2025-12-31.xlsx".
QString proposedSheetFileName(const QStringList &parts, SheetType type);

// Writes the list as a file of the type, all or nothing. False when it could
// not be written; a file that was there stays as it was.
bool saveSheet(const QString &path, SheetType type, const ShownTable &table,
               const SheetDescription &sheet);

} // namespace kucun
