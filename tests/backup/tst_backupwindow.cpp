#include "book/backup/BooksInUse.h"
#include "helpers/SettingsPage.h"
#include "ui/ListModel.h"

#include <QDir>
#include <QLabel>
#include <QTest>

using namespace kucun;
using namespace kucun::test;

// The backup group of the settings page, driven through the real window.
class BackupWindowTest : public QObject
{
    Q_OBJECT

private slots:
    void backingUpAndRestoring();
};

void BackupWindowTest::backingUpAndRestoring()
{
    SettingsPage page;
    auto *backups = page.get<ListView>("列表框备份");
    // The first start of the day makes a backup without asking, off the window's thread.
    QTRY_COMPARE(backups->rowCount(), 1);
    QCOMPARE(backups->cellText(0, 1), QStringLiteral("自动"));
    QCOMPARE(page.get<QLabel>("标签备份磁盘")->text(),
             QStringLiteral("备份与数据在同一磁盘上，建议选择U盘或其他磁盘。"));
    QVERIFY(page.get<QLabel>("标签上次备份")->text().startsWith(QStringLiteral("上次备份：")));
    QCOMPARE(page.click("按钮恢复备份"), QStringList{"请选择要恢复的备份！/48"});

    page.menu()->chooseItem(0, 0);
    const QList<QStringList> models = allRows(page.models());
    const QStringList made = page.click("按钮立即备份");
    QCOMPARE(made.size(), 1);
    QVERIFY(made[0].startsWith(QStringLiteral("备份完成：")) && made[0].endsWith(u"/64"));
    QCOMPARE(backups->rowCount(), 2);
    QVERIFY(QDateTime::fromString(backups->cellText(0, 0), QStringLiteral("yyyy-MM-dd HH:mm"))
                .isValid());
    QCOMPARE(backups->cellText(0, 1), QStringLiteral("手动"));
    QCOMPARE(backups->cellText(0, 2), QStringLiteral("5"));

    // Books change, then the backup comes back: every view shows it at once.
    page.type("编辑框品类", QStringLiteral("油漆"));
    QCOMPARE(page.click("按钮添加品类"), QStringList());
    page.menu()->chooseItem(0, 0);
    clickRow(page.models(), 0);
    QCOMPARE(page.click("按钮删除型号"), QStringList{"您确定要删除此型号吗？/32"});
    QVERIFY(allRows(page.models()) != models);
    clickRow(backups, 0);
    {
        // Another copy of the program has the books open: nothing changes.
        BooksInUse otherCopy(page.files.workDir());
        QVERIFY(otherCopy.tryShared());
        QCOMPARE(page.click("按钮恢复备份"),
                 QStringList{"其他窗口或电脑正在使用这些数据，请先关闭后再恢复。/48"});
    }
    const QStringList restored = page.click("按钮恢复备份");
    QCOMPARE(restored.size(), 2);
    QVERIFY(restored[0].startsWith(QStringLiteral("将数据恢复到 ")));
    QVERIFY(restored[0].endsWith(
        QStringLiteral("的备份（型号 5 个，明细 1 条）？当前数据会先自动备份。/48")));
    QVERIFY(restored[1].startsWith(QStringLiteral("数据已恢复到 ")));
    QCOMPARE(page.groups(), (QStringList{"五金", "电工"}));
    page.menu()->chooseItem(0, 0);
    QCOMPARE(allRows(page.models()), models);
    // The books before the restore were kept as a backup too.
    QCOMPARE(backups->rowCount(), 3);
    QCOMPARE(backups->cellText(0, 1), QStringLiteral("恢复前"));
    // A backup that went away since the list was read (a stick pulled out).
    clickRow(backups, 1);
    const QString gone = backups->list().recordAt(1).toString();
    QVERIFY(QDir(gone).removeRecursively());
    QCOMPARE(page.click("按钮恢复备份"), QStringList{"所选备份已不存在：" + gone + "/16"});
}

QTEST_MAIN(BackupWindowTest)
#include "tst_backupwindow.moc"
