#pragma once

#include <QList>
#include <QString>
#include <optional>

namespace kucun {

// A ruled table to print, as plain values: the cells with their texts,
// fonts, alignments and borders, the merged ranges, the sizes and the page.
// Rows and columns count from 1. Lengths are in tenths of a millimetre and
// font sizes in fifths of a point (size 100 prints at 20 pt).

enum class CellAlignment
{
    Left,
    Centre,
    Right,
};

struct CellFont
{
    // Empty for the system's own font.
    QString family;
    int size = 0;

    friend bool operator==(const CellFont &, const CellFont &) = default;
};

// The kinds of bars a cell can show.
enum class Symbology
{
    Ean13,
    Code128,
};

// Bars drawn across a cell, made from the code in that symbology.
struct CellBars
{
    Symbology symbology = Symbology::Code128;
    QString code;

    friend bool operator==(const CellBars &, const CellBars &) = default;
};

struct TableCell
{
    QString text;
    // Bars shown in the cell, beside no text.
    std::optional<CellBars> bars;
    // None: the table's default font.
    std::optional<CellFont> font;
    CellAlignment alignment = CellAlignment::Left;
    // A line on all four sides.
    bool bordered = false;
};

// Cells row..lastRow × column..lastColumn, both ends included.
struct CellRange
{
    int row = 1;
    int column = 1;
    int lastRow = 1;
    int lastColumn = 1;

    bool contains(int r, int c) const
    {
        return r >= row && r <= lastRow && c >= column && c <= lastColumn;
    }
    friend bool operator==(const CellRange &, const CellRange &) = default;
};

struct PageSetup
{
    enum class Paper
    {
        A4,
        Label40x30, // a label printer's label, 40 mm wide and 30 mm high
    };
    enum class Orientation
    {
        Portrait,
        Landscape,
    };

    Paper paper = Paper::A4;
    Orientation orientation = Orientation::Portrait;
    int marginLeft = 0;
    int marginTop = 0;
    int marginRight = 0;
    int marginBottom = 0;
};

class PrintTable
{
public:
    static constexpr int defaultRowHeight = 60;
    static constexpr int defaultColumnWidth = 200;
    static constexpr int defaultFontSize = 50;

    PrintTable(int rowCount, int columnCount);

    int rowCount() const { return m_rowCount; }
    int columnCount() const { return m_columnCount; }

    TableCell &cell(int row, int column) { return m_cells[index(row, column)]; }
    const TableCell &cell(int row, int column) const { return m_cells[index(row, column)]; }

    void setColumnWidth(int column, int width) { m_columnWidths[column - 1] = width; }
    int columnWidth(int column) const { return m_columnWidths[column - 1]; }
    // Rows without a height of their own have the default height.
    void setRowHeight(int row, int height) { m_rowHeights[row - 1] = height; }
    int rowHeight(int row) const { return m_rowHeights[row - 1]; }

    void merge(const CellRange &range) { m_merges.append(range); }
    // The merged range that holds the cell, or the cell alone.
    CellRange rangeAt(int row, int column) const;

    // Every cell of the range gets a border.
    void setBorders(const CellRange &range);
    void setAlignment(const CellRange &range, CellAlignment alignment);

    CellFont defaultFont{QString(), defaultFontSize};
    PageSetup page;
    // The heading row printed again at the top of every following page; 0
    // for none.
    int headingRow = 0;
    // When set, a page holds at most this many rows, so that the rows of a
    // sheet of labels start a page together; 0 for as many as fit.
    int rowsPerPage = 0;

private:
    int index(int row, int column) const;

    int m_rowCount;
    int m_columnCount;
    QList<TableCell> m_cells;
    QList<int> m_columnWidths;
    QList<int> m_rowHeights;
    QList<CellRange> m_merges;
};

} // namespace kucun
