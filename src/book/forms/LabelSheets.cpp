#include "LabelSheets.h"

#include "book/codes/Labels.h"

namespace kucun {

namespace {

// The size of a label and of its four rows, in tenths of a millimetre, and
// the size of its texts.
struct LabelGeometry
{
    int columns;      // labels across a page
    int rowsOfLabels; // labels down a page
    int width;
    int textHeight;  // 名称 and 型号
    int barsHeight;  // the bars
    int digitHeight; // the code in digits
    int nameFont;
    int textFont;
    PageSetup page;
};

constexpr int rowsOfALabel = 4;

LabelGeometry geometryOf(LabelSheet sheet)
{
    if (sheet == LabelSheet::Label40x30) {
        // 29.5 mm of rows: a printer whose page comes out a hair short of
        // 30 mm still prints the label on one page.
        return {1, 1, 400, 50, 140, 55, 35, 35, {PageSetup::Paper::Label40x30}};
    }
    // 8 labels of 37 mm below a top margin of 0.5 mm fill the 297 mm.
    PageSetup a4;
    a4.marginTop = 5;
    return {3, 8, 700, 70, 160, 70, 45, 40, a4};
}

} // namespace

QStringList labelSheetNames()
{
    return {QStringLiteral("A4 标签纸 3 × 8（每张 24 枚，70 × 37 毫米）"),
            QStringLiteral("标签打印机 40 × 30 毫米（每页 1 枚）")};
}

PrintTable layOutLabels(const QList<LabelModel> &models, int copies, LabelSheet sheet)
{
    QList<const LabelModel *> labels;
    for (const LabelModel &model : models) {
        if (model.code.isEmpty()) {
            continue;
        }
        for (int copy = 0; copy < copies; ++copy) {
            labels << &model;
        }
    }
    const LabelGeometry geometry = geometryOf(sheet);
    const int labelRows = int((labels.size() + geometry.columns - 1) / geometry.columns);
    PrintTable table(labelRows * rowsOfALabel, geometry.columns);
    table.page = geometry.page;
    table.rowsPerPage = geometry.rowsOfLabels * rowsOfALabel;
    for (int column = 1; column <= geometry.columns; ++column) {
        table.setColumnWidth(column, geometry.width);
    }
    const QList<int> heights{geometry.textHeight, geometry.textHeight, geometry.barsHeight,
                             geometry.digitHeight};
    for (int row = 1; row <= table.rowCount(); ++row) {
        table.setRowHeight(row, heights[(row - 1) % rowsOfALabel]);
    }
    if (table.rowCount() > 0) {
        table.setAlignment({1, 1, table.rowCount(), geometry.columns}, CellAlignment::Centre);
    }
    for (qsizetype i = 0; i < labels.size(); ++i) {
        const LabelModel &label = *labels[i];
        const int top = int(i / geometry.columns) * rowsOfALabel + 1;
        const int column = int(i % geometry.columns) + 1;
        table.cell(top, column).text = label.item;
        table.cell(top, column).font = CellFont{QString(), geometry.nameFont};
        table.cell(top + 1, column).text = label.model;
        table.cell(top + 2, column).bars = CellBars{symbologyOf(label.code), label.code};
        table.cell(top + 3, column).text = label.code;
        for (const int row : {top + 1, top + 3}) {
            table.cell(row, column).font = CellFont{QString(), geometry.textFont};
        }
    }
    return table;
}

} // namespace kucun
