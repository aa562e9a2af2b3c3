#include "book/forms/ReportForms.h"
#include "helpers/ScriptedDialogs.h"
#include "helpers/SettingsPage.h"
#include "helpers/ShopData.h"
#include "helpers/TestTables.h"
#include "helpers/WindowTest.h"
#include "ui/FormPreview.h"
#include "ui/FormPrinter.h"
#include "ui/ListView.h"

#include <QCalendarWidget>
#include <QLabel>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QProcess>
#include <QScreen>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using namespace kucun;
using namespace kucun::test;

class PrintedFormsTest : public QObject
{
    Q_OBJECT

private slots:
    void printButtonsLayOutTheShownList_data();
    void printButtonsLayOutTheShownList();
    void formsPrintOnA4Pages_data();
    void formsPrintOnA4Pages();
    void aSecondFormReusesTheOpenPreview();
    void labelsOfTheSelectedModels_data();
    void labelsOfTheSelectedModels();
};

namespace {

QString utf8(const char *text)
{
    return QString::fromUtf8(text);
}

// The text of a PDF, page by page, as pdftotext reads it.
QStringList pdfPages(const QString &pdf)
{
    QProcess reader;
    reader.start(QStringLiteral("pdftotext"),
                 {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    if (!reader.waitForFinished(60000) || reader.exitCode() != 0) {
        return {};
    }
    QStringList pages = QString::fromUtf8(reader.readAllStandardOutput()).split(u'\f');
    // The text ends with a page break.
    if (!pages.isEmpty() && pages.last().trimmed().isEmpty()) {
        pages.removeLast();
    }
    return pages;
}

} // namespace

void PrintedFormsTest::printButtonsLayOutTheShownList_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("list");
    QTest::addColumn<QString>("total");
    QTest::addColumn<QString>("title");

    QTest::newRow("total") << utf8("按钮打印总表单") << utf8("超级列表框总库存")
                           << utf8("标签合计库存") << utf8("库存-总表单");
    QTest::newRow("category") << utf8("按钮打印类表单") << utf8("超级列表框类库存")
                              << utf8("标签合计库存2") << utf8("库存-类表单");
    QTest::newRow("monthly") << utf8("按钮打印月表单") << utf8("超级列表框月库存")
                             << utf8("标签合计月库存") << utf8("库存2025年1月表单");
}

void PrintedFormsTest::printButtonsLayOutTheShownList()
{
    QFETCH(QString, button);
    QFETCH(QString, list);
    QFETCH(QString, total);
    QFETCH(QString, title);

    TestTables files;
    addSmallShop(files);
    ScriptedDialogs dialogs;
    const auto window = startMainWindow(dialogs, files.folders());
    showWindow(*window);
    control<QCalendarWidget>(*window, utf8("月历1"))->setSelectedDate(QDate(2025, 1, 20));
    QList<PrintTable> shown;
    control<FormPreview>(*window, utf8("表格1"))->setOpener([&shown](const PrintTable &form) {
        shown << form;
    });

    auto *rows = control<ListView>(*window, list);
    control<QLabel>(*window, total)->setText(utf8("123"));
    clickButton(*window, button);

    QCOMPARE(shown.size(), 1);
    const PrintTable &form = shown.first();
    QCOMPARE(form.rowCount(), rows->rowCount() + 4);
    QCOMPARE(form.cell(1, 1).text, title);
    const QDate today = QDate::currentDate();
    QVERIFY(form.cell(2, 1).text.startsWith(
        utf8("打印时间：%1年%2月%3日").arg(today.year()).arg(today.month()).arg(today.day())));
    for (int row = 0; row < rows->rowCount(); ++row) {
        QStringList printed;
        for (int column = 1; column <= 6; ++column) {
            printed << form.cell(row + 4, column).text;
        }
        QCOMPARE(printed, QStringList{QString::number(row + 1)} + rowTexts(rows, row).mid(1, 5));
    }
    QCOMPARE(form.cell(form.rowCount(), 5).text, utf8("     123"));
    QCOMPARE(dialogs.shown().size(), 0);
}

void PrintedFormsTest::formsPrintOnA4Pages_data()
{
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("pages");

    QTest::newRow("3 rows") << 3 << 1;
    QTest::newRow("80 rows") << 80 << 2;
    QTest::newRow("130 rows") << 130 << 3;
}

void PrintedFormsTest::formsPrintOnA4Pages()
{
    QFETCH(int, rows);
    QFETCH(int, pages);
    if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty()) {
        QSKIP("pdftotext is not installed");
    }

    QList<QStringList> listRows;
    for (int row = 1; row <= rows; ++row) {
        listRows << QStringList{utf8("五金"), utf8("扳手"),
                                QStringLiteral("M%1").arg(row, 3, 10, QChar(u'0')),
                                QString::number(row * 2), utf8("把")};
    }
    const PrintTable form = layOutReportForm(utf8("库存-总表单"), listRows, utf8("999"),
                                             QDateTime(QDate(2024, 5, 3), QTime(10, 0)));
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("form.pdf"));
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdf);
    setUpPrinter(form, printer);
    printTable(form, printer);

    QCOMPARE(printer.pageLayout().pageSize().id(), QPageSize::A4);
    QCOMPARE(printer.pageLayout().orientation(), QPageLayout::Portrait);
    QCOMPARE(printer.pageLayout().margins(QPageLayout::Millimeter), QMarginsF(10, 5, 10, 10));

    const QStringList text = pdfPages(pdf);
    QCOMPARE(text.size(), pages);
    const QRegularExpression headings(utf8("序号\\s+品类\\s+名称\\s+型号\\s+库存\\s+单位"));
    for (const QString &page : text) {
        QCOMPARE(page.count(headings), 1);
    }
    QVERIFY(text.first().contains(utf8("库存-总表单")));
    QVERIFY(text.first().contains(utf8("打印时间：2024年5月3日10时")));
    QVERIFY(text.last().contains(QRegularExpression(utf8("合计：\\s+999"))));
    const QString all = text.join(u'\n');
    QCOMPARE(all.count(utf8("库存-总表单")), 1);
    for (int row = 1; row <= rows; ++row) {
        const QRegularExpression line(QStringLiteral("\\b%1\\s+%2\\s+%3\\s+M%4\\s+%5\\s+%6")
                                          .arg(row)
                                          .arg(utf8("五金"), utf8("扳手"))
                                          .arg(row, 3, 10, QChar(u'0'))
                                          .arg(row * 2)
                                          .arg(utf8("把")));
        QVERIFY2(all.count(line) == 1, qPrintable(QStringLiteral("row %1").arg(row)));
    }
}

void PrintedFormsTest::aSecondFormReusesTheOpenPreview()
{
    QWidget window;
    FormPreview preview(&window);
    const auto previews = [&window] { return window.findChildren<QPrintPreviewDialog *>(); };
    const QDateTime when(QDate(2024, 5, 3), QTime(10, 0));
    preview.show(layOutReportForm(utf8("库存-总表单"), {}, utf8("0"), when));
    QCOMPARE(previews().size(), 1);
    QPrintPreviewDialog *first = previews().constFirst();
    QVERIFY(first->isVisible());
    QVERIFY(!first->isModal());
    // It fits the screen; offscreen the screen is smaller than the
    // preview's preferred size, so it opens maximised.
    const QSize screen = window.screen()->availableGeometry().size();
    QVERIFY(first->width() <= screen.width() && first->height() <= screen.height());
    QVERIFY(first->isMaximized());

    preview.show(layOutReportForm(utf8("库存-类表单"), {}, utf8("0"), when));
    QCOMPARE(previews(), QList{first});

    // Once closed, the next form opens a new preview.
    first->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(previews().isEmpty());
    preview.show(layOutReportForm(utf8("库存-月表单"), {}, utf8("0"), when));
    QCOMPARE(previews().size(), 1);
    QVERIFY(previews().constFirst()->isVisible());
}

void PrintedFormsTest::labelsOfTheSelectedModels_data()
{
    QTest::addColumn<int>("sheet");
    QTest::addColumn<int>("copies");
    // Each label at its first row and column: 名称/型号/bars/digits.
    QTest::addColumn<QStringList>("labels");
    QTest::addColumn<int>("pages");

    const QString eight = utf8("扳手/8寸/EAN-13 6901234567892/6901234567892");
    const QString twelve = utf8("扳手/12寸/Code 128 A-12/A-12");
    QTest::newRow("3 × 8 on A4") << 0 << 2
                                 << QStringList{"1,1 " + eight, "1,2 " + eight, "1,3 " + twelve,
                                                "5,1 " + twelve}
                                 << 1;
    QTest::newRow("40 × 30") << 1 << 1 << QStringList{"1,1 " + eight, "5,1 " + twelve} << 2;
}

void PrintedFormsTest::labelsOfTheSelectedModels()
{
    QFETCH(int, sheet);
    QFETCH(int, copies);
    QFETCH(QStringList, labels);
    QFETCH(int, pages);
    SettingsPage page;
    page.files.add(tables::型号, {utf8("五金"), utf8("扳手"), utf8("12寸"), utf8("把"), 0, ""});
    page.files.add(tables::型号资料, {utf8("五金"), utf8("扳手"), utf8("8寸"), "6901234567892"});
    page.files.add(tables::型号资料, {utf8("五金"), utf8("扳手"), utf8("12寸"), "A-12"});
    QList<PrintTable> shown;
    page.get<FormPreview>("表格1")->setOpener([&shown](const PrintTable &form) { shown << form; });
    page.menu()->chooseItem(0, 0);

    clickRow(page.models(), 1);
    QCOMPARE(page.click("按钮打印条码"), QStringList{utf8("所选型号没有条码！/48")});
    clickRow(page.models(), 0);
    clickRow(page.models(), 2, Qt::ShiftModifier);
    page.dialogs.answerCountAndOption(Dialogs::CountChoice{copies, sheet});
    QCOMPARE(page.click("按钮打印条码"), QStringList{utf8("打印条码/0")});
    QCOMPARE(page.dialogs.shown().constFirst().types,
             (QStringList{utf8("A4 标签纸 3 × 8（每张 24 枚，70 × 37 毫米）"),
                          utf8("标签打印机 40 × 30 毫米（每页 1 枚）")}));

    QCOMPARE(shown.size(), 1);
    const PrintTable &form = shown.first();
    QStringList laidOut;
    for (int row = 1; row <= form.rowCount(); row += 4) {
        for (int column = 1; column <= form.columnCount(); ++column) {
            const auto bars = form.cell(row + 2, column).bars;
            if (!bars) {
                continue;
            }
            laidOut << QStringLiteral("%1,%2 %3/%4/%5 %6/%7")
                           .arg(row)
                           .arg(column)
                           .arg(form.cell(row, column).text, form.cell(row + 1, column).text,
                                bars->symbology == Symbology::Ean13 ? QStringLiteral("EAN-13")
                                                                    : QStringLiteral("Code 128"),
                                bars->code, form.cell(row + 3, column).text);
        }
    }
    QCOMPARE(laidOut, labels);
    QCOMPARE(form.page.paper, sheet == 0 ? PageSetup::Paper::A4 : PageSetup::Paper::Label40x30);
    // However tall the printable area, a page holds one sheet.
    QCOMPARE(pageRows(form, 100000).size(), pages);
}

QTEST_MAIN(PrintedFormsTest)
#include "tst_printedforms.moc"
