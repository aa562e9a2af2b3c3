#include "book/ChangeNotifier.h"
#include "book/stock/Booking.h"
#include "helpers/ScriptedDialogs.h"
#include "helpers/ShopData.h"
#include "helpers/WindowTest.h"
#include "store/server/PgConnection.h"
#include "ui/ListView.h"
#include "ui/RollUpMenu.h"

#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QStatusBar>
#include <QTest>

using namespace kucun;
using namespace kucun::test;

// Two computers on one server book, as the first one's user sees it.
class ServerWindowTest : public QObject
{
    Q_OBJECT

private slots:
    void anotherProgramsBookingAppearsAndALostServerComesBack();
};

void ServerWindowTest::anotherProgramsBookingAppearsAndALostServerComesBack()
{
    TestTables server(Store::Server);
    addSmallShop(server);
    ScriptedDialogs dialogs;
    const std::unique_ptr<MainWindow> window = startMainWindow(dialogs, server.folders());
    control<RollUpMenu>(*window, QStringLiteral("卷帘式菜单1"))->chooseItem(0, 0);
    auto *models = control<ListView>(*window, QStringLiteral("超级列表框进销"));
    models->selectRow(0);
    auto *quantity = control<QLineEdit>(*window, QStringLiteral("编辑框入库"));
    typeInto(quantity, QStringLiteral("3"));
    auto *dayLog = control<ListView>(*window, QStringLiteral("超级列表框日志"));
    auto *logCount = control<QLabel>(*window, QStringLiteral("透明标签日志总数"));
    const int movements = logCount->text().section(QChar(u'：'), 1).chopped(1).toInt();

    const auto bookElsewhere = [&] {
        QProcess other;
        other.start(QCoreApplication::applicationFilePath(),
                    {QStringLiteral("--book"), server.folders().server});
        return other.waitForFinished(30000) && other.exitCode() == 0;
    };
    QVERIFY(bookElsewhere());
    // Within a second, with no action here and no box; what the user chose and typed stays.
    QTRY_COMPARE_WITH_TIMEOUT(dayLog->rowCount(), 1, 1000);
    QCOMPARE(models->selectedRow(), 0);
    QCOMPARE(models->cellText(0, 2), QStringLiteral("12"));
    QCOMPARE(quantity->text(), QStringLiteral("3"));
    // The log's count, remembered once counted, follows the other program's bookings.
    QVERIFY(bookElsewhere());
    QTRY_COMPARE_WITH_TIMEOUT(dayLog->rowCount(), 2, 1000);
    QCOMPARE(logCount->text(),
             QStringLiteral("当前数据库中日志记录总数为：%1条").arg(movements + 2));

    // The server drops the connections: the next action says so, the one after logs in again.
    server.runOnServer(
        QStringLiteral("SELECT pg_terminate_backend(pid) FROM pg_stat_activity "
                       "WHERE datname = current_database() AND pid <> pg_backend_pid()"));
    clickButton(*window, QStringLiteral("按钮入库"));
    QCOMPARE(dialogs.texts().size(), 1);
    QVERIFY(dialogs.texts()[0].startsWith(QStringLiteral("无法连接数据库服务器：")) &&
            dialogs.shown()[0].icon == Dialogs::Error);
    clickButton(*window, QStringLiteral("按钮入库"));
    QCOMPARE(window->statusBar()->currentMessage(), QStringLiteral("已重新连接数据库服务器"));
    QCOMPARE(models->cellText(0, 2), QStringLiteral("17"));
}

int main(int argc, char *argv[])
{
    if (argc == 3 && qstrcmp(argv[1], "--book") == 0) {
        // The other computer: books 2 of 五金/扳手/8寸 in, today.
        QCoreApplication application(argc, argv);
        BookFolders other;
        other.server = QString::fromLocal8Bit(argv[2]);
        ChangeNotifier changes;
        const Movement in{QStringLiteral("五金"),
                          QStringLiteral("扳手"),
                          QStringLiteral("8寸"),
                          MovementKind::In,
                          2,
                          2.0,
                          QDate::currentDate(),
                          QString()};
        return book(other, in, changes) == BookingOutcome::Booked ? 0 : 1;
    }
    QApplication application(argc, argv);
    ServerWindowTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_serverwindow.moc"
