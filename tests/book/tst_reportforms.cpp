#include "book/forms/ReportForms.h"

#include <QTest>

using namespace kucun;

class ReportFormsTest : public QObject
{
    Q_OBJECT

private slots:
    void layOut_data();
    void layOut();
    void listForm_data();
    void listForm();
    void printTimeAndMonthlyTitle_data();
    void printTimeAndMonthlyTitle();
};

namespace {

// One cell as "text/alignment", then "#" for a border and "@family size"
// for a font of its own.
QString describe(const TableCell &cell)
{
    const char *alignments = "LCR";
    QString text = cell.text + u'/' + QChar::fromLatin1(alignments[int(cell.alignment)]);
    if (cell.bordered) {
        text += u'#';
    }
    if (cell.font) {
        text += u'@' + cell.font->family + QString::number(cell.font->size);
    }
    return text;
}

QList<QStringList> describeRows(const PrintTable &form)
{
    QList<QStringList> rows;
    for (int row = 1; row <= form.rowCount(); ++row) {
        QStringList cells;
        for (int column = 1; column <= form.columnCount(); ++column) {
            cells << describe(form.cell(row, column));
        }
        rows << cells;
    }
    return rows;
}

QStringList split(const char *cells)
{
    return QString::fromUtf8(cells).split(u'|');
}

} // namespace

void ReportFormsTest::layOut_data()
{
    QTest::addColumn<QList<QStringList>>("listRows");
    QTest::addColumn<QString>("total");
    QTest::addColumn<QList<QStringList>>("expected");
    QTest::addColumn<QList<int>>("heights");

    const QList<QStringList> top = {
        split("库存-总表单/C@黑体100|/L|/L|/L|/L|/L"),
        split("打印时间：2024年5月3日10时/R|/L|/L|/L|/L|/L"),
        split("序号/C#|品类/C#@黑体60|名称/C#@黑体60|型号/C#@黑体60|库存/R#@黑体60|单位/C#@黑体60"),
    };
    QTest::newRow("empty list") << QList<QStringList>{} << QStringLiteral("0")
                                << (top + QList<QStringList>{split(
                                              "合计：/R#|/L#|/L#|/L#|     0/L#|/L#")})
                                << QList<int>{150, 100, 80, 60};
    // The serial numbers count the printed rows; the remark is not printed.
    QTest::newRow("three rows")
        << QList<QStringList>{split("五金|扳手|8寸|10|把"), split("五金|钳子|8寸|5|把"),
                              split("电工|电线|4平方|2.5|卷")}
        << QStringLiteral("17.5")
        << (top + QList<QStringList>{split("1/C#|五金/C#|扳手/C#|8寸/C#|10/R#|把/C#"),
                                     split("2/C#|五金/C#|钳子/C#|8寸/C#|5/R#|把/C#"),
                                     split("3/C#|电工/C#|电线/C#|4平方/C#|2.5/R#|卷/C#"),
                                     split("合计：/R#|/L#|/L#|/L#|     17.5/L#|/L#")})
        << QList<int>{150, 100, 80, 60, 60, 60, 60};
}

void ReportFormsTest::layOut()
{
    QFETCH(QList<QStringList>, listRows);
    QFETCH(QString, total);
    QFETCH(QList<QStringList>, expected);
    QFETCH(QList<int>, heights);

    const PrintTable form = layOutReportForm(QStringLiteral("库存-总表单"), listRows, total,
                                             QDateTime(QDate(2024, 5, 3), QTime(10, 0)));
    const int totals = int(listRows.size()) + 4;
    QCOMPARE(form.rowCount(), totals);
    QCOMPARE(form.columnCount(), 6);
    QCOMPARE(describeRows(form), expected);

    QList<int> widths;
    for (int column = 1; column <= 6; ++column) {
        widths << form.columnWidth(column);
    }
    QCOMPARE(widths, (QList<int>{150, 400, 400, 400, 250, 150}));
    QList<int> rowHeights;
    for (int row = 1; row <= form.rowCount(); ++row) {
        rowHeights << form.rowHeight(row);
    }
    QCOMPARE(rowHeights, heights);

    // The title, the print time and the two halves of the total row are merged.
    QCOMPARE((QList<CellRange>{form.rangeAt(1, 3), form.rangeAt(2, 6), form.rangeAt(totals, 2),
                               form.rangeAt(totals, 6), form.rangeAt(3, 2)}),
             (QList<CellRange>{{1, 1, 1, 6},
                               {2, 1, 2, 6},
                               {totals, 1, totals, 4},
                               {totals, 5, totals, 6},
                               {3, 2, 3, 2}}));
    QCOMPARE(form.headingRow, 3);

    QVERIFY(form.page.paper == PageSetup::Paper::A4);
    QVERIFY(form.page.orientation == PageSetup::Orientation::Portrait);
    QCOMPARE((QList<int>{form.page.marginLeft, form.page.marginTop, form.page.marginRight,
                         form.page.marginBottom}),
             (QList<int>{100, 50, 100, 100}));
}

void ReportFormsTest::listForm_data()
{
    QTest::addColumn<int>("textColumns"); // after 型号, before the two figures
    QTest::addColumn<QStringList>("lastRows");
    QTest::addColumn<bool>("landscape");

    QTest::newRow("narrow: portrait, figures to the right")
        << 0 << QStringList{"1/C#|8寸/C#|2.50/R#|25.00/R#", "合计：/R#|/L#|25.00/L#|/L#"} << false;
    QTest::newRow("wider than A4 across: landscape")
        << 7
        << QStringList{"1/C#|8寸/C#|/C#|/C#|/C#|/C#|/C#|/C#|/C#|2.50/R#|25.00/R#",
                       "合计：/R#|/L#|25.00/L#|/L#|/L#|/L#|/L#|/L#|/L#|/L#|/L#"}
        << true;
}

void ReportFormsTest::listForm()
{
    QFETCH(int, textColumns);
    QFETCH(QStringList, lastRows);
    QFETCH(bool, landscape);
    QStringList headings{"序号", "型号"};
    QStringList cells{"8寸"};
    for (int column = 0; column < textColumns; ++column) {
        headings << "备注";
        cells << QString();
    }
    headings << "成本价"
             << "库存金额";
    cells << "2.50"
          << "25.00";
    const int figure = int(headings.size()) - 2;
    const PrintTable form = layOutListForm("库存金额表单", headings, {cells}, {figure, figure + 1},
                                           "25.00", QDateTime(QDate(2024, 5, 3), QTime(10, 0)));
    const QList<QStringList> rows = describeRows(form);
    QCOMPARE((QStringList{rows[3].join(u'|'), rows[4].join(u'|')}), lastRows);
    QCOMPARE(form.page.orientation == PageSetup::Orientation::Landscape, landscape);
}

void ReportFormsTest::printTimeAndMonthlyTitle_data()
{
    QTest::addColumn<QDateTime>("when");
    QTest::addColumn<QString>("printTime");
    QTest::addColumn<QString>("monthlyTitle");

    QTest::newRow("full hour") << QDateTime(QDate(2025, 1, 31), QTime(10, 0))
                               << QStringLiteral("打印时间：2025年1月31日10时")
                               << QStringLiteral("库存2025年1月表单");
    QTest::newRow("midnight") << QDateTime(QDate(2024, 5, 3), QTime(0, 0))
                              << QStringLiteral("打印时间：2024年5月3日")
                              << QStringLiteral("库存2024年5月表单");
    QTest::newRow("minutes") << QDateTime(QDate(2024, 12, 9), QTime(0, 5))
                             << QStringLiteral("打印时间：2024年12月9日0时5分")
                             << QStringLiteral("库存2024年12月表单");
    QTest::newRow("seconds") << QDateTime(QDate(2024, 12, 9), QTime(23, 0, 7))
                             << QStringLiteral("打印时间：2024年12月9日23时0分7秒")
                             << QStringLiteral("库存2024年12月表单");
}

void ReportFormsTest::printTimeAndMonthlyTitle()
{
    QFETCH(QDateTime, when);
    QFETCH(QString, printTime);
    QFETCH(QString, monthlyTitle);

    const PrintTable form = layOutReportForm(QString(), {}, QStringLiteral("0"), when);
    QCOMPARE(form.cell(2, 1).text, printTime);
    QCOMPARE(monthlyFormTitle(when.date()), monthlyTitle);
}

QTEST_GUILESS_MAIN(ReportFormsTest)
#include "tst_reportforms.moc"
