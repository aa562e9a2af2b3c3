#include "PrintTable.h"

namespace kucun {

PrintTable::PrintTable(int rowCount, int columnCount)
    : m_rowCount(rowCount), m_columnCount(columnCount), m_cells(qsizetype(rowCount) * columnCount),
      m_columnWidths(columnCount, defaultColumnWidth), m_rowHeights(rowCount, defaultRowHeight)
{
}

int PrintTable::index(int row, int column) const
{
    Q_ASSERT(row >= 1 && row <= m_rowCount && column >= 1 && column <= m_columnCount);
    return (row - 1) * m_columnCount + (column - 1);
}

CellRange PrintTable::rangeAt(int row, int column) const
{
    for (const CellRange &range : m_merges) {
        if (range.contains(row, column)) {
            return range;
        }
    }
    return CellRange{row, column, row, column};
}

void PrintTable::setBorders(const CellRange &range)
{
    for (int row = range.row; row <= range.lastRow; ++row) {
        for (int column = range.column; column <= range.lastColumn; ++column) {
            cell(row, column).bordered = true;
        }
    }
}

void PrintTable::setAlignment(const CellRange &range, CellAlignment alignment)
{
    for (int row = range.row; row <= range.lastRow; ++row) {
        for (int column = range.column; column <= range.lastColumn; ++column) {
            cell(row, column).alignment = alignment;
        }
    }
}

} // namespace kucun
