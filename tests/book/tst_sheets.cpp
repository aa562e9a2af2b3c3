#include "book/reports/CsvSheet.h"

#include <QTest>

using namespace kucun;

class SheetsTest : public QObject
{
    Q_OBJECT

private slots:
    void csvFields_data();
    void csvFields();
};

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

QTEST_GUILESS_MAIN(SheetsTest)
#include "tst_sheets.moc"
