#include "book/sheets/CsvSheet.h"
#include "book/sheets/SaveFolder.h"
#include "book/sheets/SheetFile.h"
#include "helpers/XlsxFile.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using namespace kucun;
using namespace kucun::test;

class SheetsTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void xlsxCellTypes_data();
    void xlsxCellTypes();
    void xlsxLayout_data();
    void xlsxLayout();
    void xlsxOfAnEmptyList();
    void csvFields_data();
    void csvFields();
    void typeOfTheChosenFile_data();
    void typeOfTheChosenFile();
    void savingReplacesTheFileOrNothing();
    void startFolderIsTheLastUsed();

private:
    QTemporaryDir m_dir;
    QString m_xlsx;
};

namespace {

// A list as a report shows it, its quantities in column 2: a model that
// looks like a number, one that looks like a formula, a fraction, a
// negative net movement and a quantity that is no number.
const ShownTable shown{{"序号", "型号", "库存", "备注"},
                       {{"1", "0012", "10", "常用"},
                        {"2", "=1+2", "2.5", ""},
                        {"3", "8寸", "-3", "A号-20×10 微信😀"},
                        {"4", "x", "约5", "-5"}}};
const SheetDescription described{"岚栖库存管理—总库存", "总库存", {2}};

QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

void SheetsTest::initTestCase()
{
    QVERIFY2(!QStandardPaths::findExecutable("unzip").isEmpty(), "unzip is not installed");
    m_xlsx = m_dir.filePath("总库存.xlsx");
    QVERIFY(saveSheet(m_xlsx, SheetType::Xlsx, shown, described));
}

void SheetsTest::xlsxCellTypes_data()
{
    QTest::addColumn<QString>("cell");
    QTest::addColumn<QString>("type");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("formula");
    QTest::addColumn<QString>("numberFormat");
    QTest::addColumn<bool>("bold");
    QTest::newRow("title") << "A1"
                           << "s"
                           << "岚栖库存管理—总库存"
                           << ""
                           << "General" << true;
    QTest::newRow("heading") << "C2"
                             << "s"
                             << "库存"
                             << ""
                             << "General" << true;
    QTest::newRow("serial") << "A3"
                            << "s"
                            << "1"
                            << ""
                            << "General" << false;
    QTest::newRow("leading zeros") << "B3"
                                   << "s"
                                   << "0012"
                                   << ""
                                   << "General" << false;
    QTest::newRow("formula-like text") << "B4"
                                       << "s"
                                       << "=1+2"
                                       << ""
                                       << "General" << false;
    QTest::newRow("whole number") << "C3"
                                  << "n"
                                  << "10"
                                  << ""
                                  << "0" << false;
    QTest::newRow("fraction") << "C4"
                              << "n"
                              << "2.5"
                              << ""
                              << "0.0" << false;
    QTest::newRow("negative") << "C5"
                              << "n"
                              << "-3"
                              << ""
                              << "0" << false;
    QTest::newRow("no number") << "C6"
                               << "s"
                               << "约5"
                               << ""
                               << "General" << false;
    QTest::newRow("remark") << "D6"
                            << "s"
                            << "-5"
                            << ""
                            << "General" << false;
    QTest::newRow("totals label") << "A7"
                                  << "s"
                                  << "合计"
                                  << ""
                                  << "General" << true;
    QTest::newRow("total") << "C7"
                           << "n"
                           << "9.5"
                           << "SUM(C3:C6)"
                           << "0.0" << true;
}

void SheetsTest::xlsxCellTypes()
{
    QFETCH(QString, cell);
    QFETCH(QString, type);
    QFETCH(QString, text);
    QFETCH(QString, formula);
    QFETCH(QString, numberFormat);
    QFETCH(bool, bold);
    const QMap<QString, XlsxCell> cells = xlsxCells(m_xlsx);
    QVERIFY2(cells.contains(cell), qPrintable(cell));
    const XlsxCell &found = cells[cell];
    QCOMPARE(found.type, type);
    QCOMPARE(found.text, text);
    QCOMPARE(found.formula, formula);
    QCOMPARE(found.numberFormat, numberFormat);
    QCOMPARE(found.bold, bold);
}

void SheetsTest::xlsxLayout_data()
{
    QTest::addColumn<QString>("entry");
    QTest::addColumn<QString>("fragment");
    const QString sheet = "xl/worksheets/sheet1.xml";
    QTest::newRow("sheet named after the report") << "xl/workbook.xml"
                                                  << "<sheet name=\"总库存\" sheetId=\"1\"";
    QTest::newRow("title merged") << sheet << "<mergeCell ref=\"A1:D1\"/>";
    QTest::newRow("heading frozen")
        << sheet
        << "<pane ySplit=\"2\" topLeftCell=\"A3\" activePane=\"bottomLeft\" "
           "state=\"frozen\"/>";
    QTest::newRow("filter over the list") << sheet << "<autoFilter ref=\"A2:D6\"/>";
    // Two more than the longest text; a heading also leaves room for its
    // filter button, and the merged title counts for no column.
    QTest::newRow("narrow column") << sheet << "<col min=\"1\" max=\"1\" width=\"8.";
    QTest::newRow("CJK counted twice") << sheet << "<col min=\"4\" max=\"4\" width=\"18.";
}

void SheetsTest::xlsxLayout()
{
    QFETCH(QString, entry);
    QFETCH(QString, fragment);
    const QString xml = QString::fromUtf8(zipEntry(m_xlsx, entry));
    QVERIFY2(xml.contains(fragment), qPrintable(xml));
}

void SheetsTest::xlsxOfAnEmptyList()
{
    const QString path = m_dir.filePath("empty.xlsx");
    QVERIFY(saveSheet(path, SheetType::Xlsx, {shown.columnTitles, {}}, described));
    const QMap<QString, XlsxCell> cells = xlsxCells(path);
    QCOMPARE(cells["C3"].text, "0");
    QCOMPARE(cells["C3"].formula, "");
    QVERIFY(zipEntry(path, "xl/worksheets/sheet1.xml").contains("<autoFilter ref=\"A2:D2\"/>"));
}

void SheetsTest::csvFields_data()
{
    // A row of a text and a quantity column, and the record it becomes.
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("quantity");
    QTest::addColumn<QByteArray>("record");
    QTest::newRow("plain") << "8寸"
                           << "10" << QByteArray("8\xe5\xaf\xb8,10");
    QTest::newRow("leading zeros") << "0012"
                                   << "2.5" << QByteArray("0012,2.5");
    QTest::newRow("formula") << "=SUM(A1)"
                             << "-3" << QByteArray("'=SUM(A1),-3");
    QTest::newRow("plus") << "+86"
                          << "0" << QByteArray("'+86,0");
    QTest::newRow("minus") << "-5"
                           << "-5" << QByteArray("'-5,-5");
    QTest::newRow("at") << "@x"
                        << "1" << QByteArray("'@x,1");
    QTest::newRow("tab") << "\tx"
                         << "1" << QByteArray("'\tx,1");
    QTest::newRow("carriage return") << "\rx"
                                     << "1" << QByteArray("\"'\rx\",1");
    QTest::newRow("comma") << "a,b"
                           << "1" << QByteArray("\"a,b\",1");
    QTest::newRow("quote") << "5\""
                           << "1" << QByteArray("\"5\"\"\",1");
    QTest::newRow("line feed") << "a\nb"
                               << "1" << QByteArray("\"a\nb\",1");
    QTest::newRow("quantity that is no number") << "x"
                                                << "=1+2" << QByteArray("x,'=1+2");
    QTest::newRow("empty") << ""
                           << "" << QByteArray(",");
}

void SheetsTest::csvFields()
{
    QFETCH(QString, text);
    QFETCH(QString, quantity);
    QFETCH(QByteArray, record);
    const QByteArray csv = csvBytes({{"型号", "库存"}, {{text, quantity}}}, {1});
    QCOMPARE(csv,
             "\xef\xbb\xbf\xe5\x9e\x8b\xe5\x8f\xb7,\xe5\xba\x93\xe5\xad\x98\r\n" + record + "\r\n");
}

void SheetsTest::typeOfTheChosenFile_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<int>("chosen");
    QTest::addColumn<int>("type");
    const auto index = [](SheetType type) { return int(type); };
    QTest::newRow("chosen") << "/a/总库存" << index(SheetType::Csv) << index(SheetType::Csv);
    QTest::newRow("other ending") << "/a/b.txt" << index(SheetType::Xlsx) << index(SheetType::Xlsx);
    QTest::newRow("xlsx ending") << "/a/b.XLSX" << index(SheetType::Csv) << index(SheetType::Xlsx);
    QTest::newRow("csv ending") << "/a/b.csv" << index(SheetType::Xlsx) << index(SheetType::Csv);
    QTest::newRow("xls ending") << "/a/b.xls" << index(SheetType::Xlsx)
                                << index(SheetType::HtmlTable);
}

void SheetsTest::typeOfTheChosenFile()
{
    QFETCH(QString, path);
    QFETCH(int, chosen);
    QFETCH(int, type);
    QCOMPARE(int(sheetTypeOf(path, SheetType(chosen))), type);
}

void SheetsTest::savingReplacesTheFileOrNothing()
{
    const QString path = m_dir.filePath("list");
    QVERIFY(saveSheet(path, SheetType::Csv, shown, described));
    QCOMPARE(fileBytes(path), csvBytes(shown, described.quantityColumns));
    QVERIFY(saveSheet(path, SheetType::HtmlTable, shown, described));
    QCOMPARE(fileBytes(path), spreadsheetBytes(shown, described.title, true));

    // A workbook that cannot be made (a sheet name Excel refuses) and a
    // folder that is not there write nothing.
    const QByteArray before = fileBytes(path);
    QVERIFY(!saveSheet(path, SheetType::Xlsx, shown, {"t", "a/b", {2}}));
    QCOMPARE(fileBytes(path), before);
    for (const SheetType type : sheetTypes()) {
        QVERIFY(!saveSheet(m_dir.filePath("missing/list"), type, shown, described));
    }
    QCOMPARE(proposedSheetFileName({"期末库存", "2025-12-31"}, SheetType::Xlsx),
             "期末库存-2025-12-31.xlsx");
    QCOMPARE(proposedSheetFileName({"台账", " M8/10\\:*?\"<>|\t ", "2026-01-01"}, SheetType::Csv),
             "台账-M8_10_________-2026-01-01.csv");
}

void SheetsTest::startFolderIsTheLastUsed()
{
    const QTemporaryDir program;
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    QCOMPARE(saveFolder(program.path()), documents);
    QTemporaryDir chosen;
    rememberSaveFolder(program.path(), chosen.path());
    QCOMPARE(saveFolder(program.path()), chosen.path());
    chosen.remove();
    QCOMPARE(saveFolder(program.path()), documents);
}

QTEST_GUILESS_MAIN(SheetsTest)
#include "tst_sheets.moc"
