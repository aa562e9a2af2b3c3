#include "ReportForms.h"

#include "book/ValueText.h"

namespace kucun {

namespace {

constexpr int titleRow = 1;
constexpr int timeRow = 2;
constexpr int headingRow = 3;
constexpr int firstBodyRow = 4;
constexpr int quantityColumn = 5;

const CellFont headingFont{QStringLiteral("黑体"), 60};

// What differs between the forms: the headings, the column widths, the
// columns aligned to the right, the height of a body row, and the cells of
// the totals row.
struct FormColumns
{
    QStringList headings;
    QList<int> widths;
    QList<int> rightAligned;
    int bodyRowHeight = PrintTable::defaultRowHeight;
};

struct TotalsCell
{
    int column;
    int lastColumn;
    QString text;
    CellAlignment alignment = CellAlignment::Left;
};

PrintTable layOutForm(const QString &title, const FormColumns &columns,
                      const QList<QStringList> &rows, const QList<TotalsCell> &totals,
                      const QDateTime &printedAt)
{
    const int n = int(rows.size());
    const int totalsRow = n + 4;
    const int formColumns = int(columns.headings.size());
    PrintTable form(totalsRow, formColumns);

    form.setBorders({headingRow, 1, totalsRow, formColumns});
    for (const TotalsCell &total : totals) {
        if (total.lastColumn > total.column) {
            form.merge({totalsRow, total.column, totalsRow, total.lastColumn});
        }
    }

    for (int column = 1; column <= formColumns; ++column) {
        form.setColumnWidth(column, columns.widths[column - 1]);
    }
    form.setRowHeight(titleRow, 150);
    form.setRowHeight(timeRow, 100);
    form.setRowHeight(headingRow, 80);
    form.merge({titleRow, 1, titleRow, formColumns});
    form.merge({timeRow, 1, timeRow, formColumns});

    TableCell &titleCell = form.cell(titleRow, 1);
    titleCell.text = title;
    titleCell.font = CellFont{QStringLiteral("黑体"), 100};
    titleCell.alignment = CellAlignment::Centre;

    TableCell &timeCell = form.cell(timeRow, 1);
    timeCell.text = QStringLiteral("打印时间：") + dateTimeText(printedAt);
    timeCell.alignment = CellAlignment::Right;

    // Headings and body: quantities to the right, everything else centred.
    form.setAlignment({headingRow, 1, totalsRow - 1, formColumns}, CellAlignment::Centre);
    for (const int column : columns.rightAligned) {
        form.setAlignment({headingRow, column, totalsRow - 1, column}, CellAlignment::Right);
    }

    for (int column = 1; column <= formColumns; ++column) {
        TableCell &heading = form.cell(headingRow, column);
        heading.text = columns.headings[column - 1];
        // "序号" keeps the table's default font.
        if (column > 1) {
            heading.font = headingFont;
        }
    }
    form.headingRow = headingRow;

    for (int i = 0; i < n; ++i) {
        const int row = firstBodyRow + i;
        if (columns.bodyRowHeight != PrintTable::defaultRowHeight) {
            form.setRowHeight(row, columns.bodyRowHeight);
        }
        form.cell(row, 1).text = QString::number(i + 1);
        for (int column = 2; column <= formColumns; ++column) {
            form.cell(row, column).text = rows[i].value(column - 2);
        }
    }

    for (const TotalsCell &total : totals) {
        TableCell &cell = form.cell(totalsRow, total.column);
        cell.text = total.text;
        cell.alignment = total.alignment;
    }

    form.page.paper = PageSetup::Paper::A4;
    form.page.orientation = PageSetup::Orientation::Portrait;
    form.page.marginLeft = 100;
    form.page.marginTop = 50;
    form.page.marginRight = 100;
    form.page.marginBottom = 100;
    return form;
}

} // namespace

PrintTable layOutReportForm(const QString &title, const QList<QStringList> &rows,
                            const QString &total, const QDateTime &printedAt)
{
    static const FormColumns columns{{QStringLiteral("序号"), QStringLiteral("品类"),
                                      QStringLiteral("名称"), QStringLiteral("型号"),
                                      QStringLiteral("库存"), QStringLiteral("单位")},
                                     {150, 400, 400, 400, 250, 150},
                                     {quantityColumn}};
    return layOutForm(title, columns, rows,
                      {{1, 4, QStringLiteral("合计："), CellAlignment::Right},
                       {quantityColumn, 6, QStringLiteral("     ") + total}},
                      printedAt);
}

PrintTable layOutListForm(const QString &title, const QStringList &headings,
                          const QList<QStringList> &rows, const QList<int> &figureColumns,
                          const QString &total, const QDateTime &printedAt)
{
    FormColumns columns{headings, {}, {}};
    int across = 0;
    for (int column = 0; column < headings.size(); ++column) {
        const bool figure = figureColumns.contains(column);
        const int width = column == 0 ? 150 : figure ? 220 : 250;
        columns.widths << width;
        across += width;
        if (figure) {
            columns.rightAligned << column + 1;
        }
    }
    const int last = int(headings.size());
    PrintTable form = layOutForm(
        title, columns, rows,
        {{1, 2, QStringLiteral("合计："), CellAlignment::Right}, {3, last, total}}, printedAt);
    // A4 across is 2100, less the margins.
    if (across > 1900) {
        form.page.orientation = PageSetup::Orientation::Landscape;
    }
    return form;
}

PrintTable layOutLedgerForm(const QString &title, const QList<QStringList> &rows,
                            const QString &inTotal, const QString &outTotal,
                            const QDateTime &printedAt)
{
    static const FormColumns columns{{QStringLiteral("序号"), QStringLiteral("日期"),
                                      QStringLiteral("入库"), QStringLiteral("出库"),
                                      QStringLiteral("结存"), QStringLiteral("备注")},
                                     {150, 450, 250, 250, 250, 400},
                                     {3, 4, 5}};
    return layOutForm(title, columns, rows,
                      {{1, 2, QStringLiteral("合计："), CellAlignment::Right},
                       {3, 3, inTotal, CellAlignment::Right},
                       {4, 4, outTotal, CellAlignment::Right},
                       {5, 6, QString()}},
                      printedAt);
}

PrintTable layOutCountSheetForm(const QString &title, bool withCategory,
                                const QList<QStringList> &rows, const QDateTime &printedAt)
{
    // A body row of 9 mm takes a figure written by hand.
    static const FormColumns columns{{QStringLiteral("序号"), QStringLiteral("名称"),
                                      QStringLiteral("型号"), QStringLiteral("账面"),
                                      QStringLiteral("单位"), QStringLiteral("实盘")},
                                     {150, 400, 400, 250, 150, 400},
                                     {4},
                                     90};
    static const FormColumns withCategories{{QStringLiteral("序号"), QStringLiteral("品类"),
                                             QStringLiteral("名称"), QStringLiteral("型号"),
                                             QStringLiteral("账面"), QStringLiteral("单位"),
                                             QStringLiteral("实盘")},
                                            {150, 250, 350, 350, 200, 150, 350},
                                            {5},
                                            90};
    const FormColumns &chosen = withCategory ? withCategories : columns;
    const int last = int(chosen.headings.size());
    return layOutForm(title, chosen, rows,
                      {{1, 3, QStringLiteral("盘点人：")}, {4, last, QStringLiteral("日期：")}},
                      printedAt);
}

QString monthlyFormTitle(const QDate &date)
{
    return QStringLiteral("库存%1年%2月表单").arg(date.year()).arg(date.month());
}

} // namespace kucun
