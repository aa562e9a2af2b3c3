#include "ReportForms.h"

#include "book/ValueText.h"

namespace kucun {

namespace {

constexpr int formColumns = 6;
constexpr int titleRow = 1;
constexpr int timeRow = 2;
constexpr int headingRow = 3;
constexpr int firstBodyRow = 4;
constexpr int quantityColumn = 5;

const CellFont headingFont{QStringLiteral("黑体"), 60};

} // namespace

PrintTable layOutReportForm(const QString &title, const QList<QStringList> &rows,
                            const QString &total, const QDateTime &printedAt)
{
    const int n = int(rows.size());
    const int totalsRow = n + 4;
    PrintTable form(totalsRow, formColumns);

    form.setBorders({headingRow, 1, totalsRow, formColumns});
    form.merge({totalsRow, 1, totalsRow, 4});
    form.merge({totalsRow, 5, totalsRow, formColumns});

    const int widths[formColumns] = {150, 400, 400, 400, 250, 150};
    for (int column = 1; column <= formColumns; ++column) {
        form.setColumnWidth(column, widths[column - 1]);
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

    // Headings and body: the quantity to the right, everything else centred.
    form.setAlignment({headingRow, 1, totalsRow - 1, formColumns}, CellAlignment::Centre);
    form.setAlignment({headingRow, quantityColumn, totalsRow - 1, quantityColumn},
                      CellAlignment::Right);

    const QStringList headings = {QStringLiteral("序号"), QStringLiteral("品类"),
                                  QStringLiteral("名称"), QStringLiteral("型号"),
                                  QStringLiteral("库存"), QStringLiteral("单位")};
    for (int column = 1; column <= formColumns; ++column) {
        TableCell &heading = form.cell(headingRow, column);
        heading.text = headings[column - 1];
        // "序号" keeps the table's default font.
        if (column > 1) {
            heading.font = headingFont;
        }
    }
    form.headingRow = headingRow;

    for (int i = 0; i < n; ++i) {
        const int row = firstBodyRow + i;
        form.cell(row, 1).text = QString::number(i + 1);
        for (int column = 2; column <= formColumns; ++column) {
            form.cell(row, column).text = rows[i].value(column - 2);
        }
    }

    TableCell &totalCaption = form.cell(totalsRow, 1);
    totalCaption.text = QStringLiteral("合计：");
    totalCaption.alignment = CellAlignment::Right;
    form.cell(totalsRow, quantityColumn).text = QStringLiteral("     ") + total;

    form.page.paper = PageSetup::Paper::A4;
    form.page.orientation = PageSetup::Orientation::Portrait;
    form.page.marginLeft = 100;
    form.page.marginTop = 50;
    form.page.marginRight = 100;
    form.page.marginBottom = 100;
    return form;
}

QString monthlyFormTitle(const QDate &date)
{
    return QStringLiteral("库存%1年%2月表单").arg(date.year()).arg(date.month());
}

} // namespace kucun
