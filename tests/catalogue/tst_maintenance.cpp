#include "book/backup/BooksInUse.h"
#include "helpers/ScriptedDialogs.h"
#include "helpers/ShopData.h"
#include "helpers/TestTables.h"
#include "helpers/WindowTest.h"
#include "store/Table.h"
#include "store/TableSchema.h"
#include "ui/ListModel.h"
#include "ui/ListView.h"
#include "ui/RollUpMenu.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QTabWidget>
#include <QTest>

using namespace kucun;
using namespace kucun::test;

// The catalogue buttons of the settings page, driven through the real window.
class MaintenanceTest : public QObject
{
    Q_OBJECT

private slots:
    void addingChecksInOrder();
    void modifyingAModel();
    void deletingAsksAndCascades();
    void backingUpAndRestoring();
};

namespace {

struct Page
{
    TestTables files;
    ScriptedDialogs dialogs;
    std::unique_ptr<MainWindow> window;

    Page()
    {
        addSmallShop(files);
        addMovement(files, QDate(2024, 5, 3), QStringLiteral("五金"), QStringLiteral("扳手"),
                    QStringLiteral("8寸"), 1, 0, QStringLiteral("把"), QString());
        window = startMainWindow(dialogs, files.programDir());
        showWindow(*window);
    }
    template <typename T> T *get(const char *name) const
    {
        return control<T>(*window, QString::fromUtf8(name));
    }
    RollUpMenu *menu() const { return get<RollUpMenu>("卷帘式菜单2"); }
    ListView *models() const { return get<ListView>("超级列表框设置"); }
    // Clicks a button and returns the boxes it showed as "text/icon".
    QStringList click(const char *button)
    {
        dialogs.forget();
        clickButton(*window, QString::fromUtf8(button));
        QStringList shown;
        for (const ShownBox &box : dialogs.shown()) {
            shown << QStringLiteral("%1/%2").arg(box.text).arg(box.icon);
        }
        return shown;
    }
    void type(const char *box, const QString &text) { typeInto(get<QLineEdit>(box), text); }
    qint64 count(const QString &table) const
    {
        Table file;
        file.open(files.path(table), tablePassword());
        return file.recordCount();
    }
    QStringList groups() const
    {
        QStringList texts;
        for (int group = 0; group < menu()->groupCount(); ++group) {
            texts << menu()->groupText(group);
        }
        return texts;
    }
};

} // namespace

void MaintenanceTest::addingChecksInOrder()
{
    Page page;
    // No category is chosen for a new item until the owner chooses one.
    QCOMPARE(page.click("按钮添加名称"),
             QStringList{"请先选择品类，然后在当前品类下添加项目！/48"});
    page.type("编辑框品类", QStringLiteral(" 　"));
    QCOMPARE(page.click("按钮添加品类"), QStringList{"请填写品类信息！/64"});
    // The same text twice gives two groups, in both menus and the drop-down.
    page.type("编辑框品类", QStringLiteral("五金"));
    QCOMPARE(page.click("按钮添加品类"), QStringList());
    QCOMPARE(page.groups(), (QStringList{"五金", "电工", "五金"}));
    QCOMPARE(page.menu()->currentGroup(), 2);
    QCOMPARE(page.get<RollUpMenu>("卷帘式菜单1")->groupCount(), 3);
    QCOMPARE(page.get<QComboBox>("组合框品类")->count(), 3);

    // Nor after the reload that follows a change.
    QCOMPARE(page.click("按钮添加名称"),
             QStringList{"请先选择品类，然后在当前品类下添加项目！/48"});
    auto *categories = page.get<QComboBox>("组合框品类");
    categories->setCurrentIndex(1);
    QCOMPARE(page.click("按钮添加名称"), QStringList{"请填写名称信息！/64"});
    page.type("编辑框名称", QStringLiteral("开关"));
    QCOMPARE(page.click("按钮添加名称"), QStringList());
    QCOMPARE(page.get<QLineEdit>("编辑框名称")->text(), QString());
    QCOMPARE(page.menu()->currentGroup(), 1);
    QCOMPARE(categories->currentIndex(), 1);
    QCOMPARE(page.menu()->itemText(1, 1), QStringLiteral("开关"));

    QCOMPARE(page.click("按钮添加型号"), QStringList{"请选择要添加的型号的项目！/64"});
    page.menu()->chooseItem(0, 0);
    QCOMPARE(page.click("按钮添加型号"), QStringList{"请填写型号信息！/64"});
    page.type("编辑框型号", QStringLiteral("10寸"));
    QCOMPARE(page.click("按钮添加型号"), QStringList{"请填写单位信息！/64"});
    page.type("编辑框单位", QStringLiteral("把"));
    QCOMPARE(page.click("按钮添加型号"), QStringList{"您要添加的型号或颜色已经存在请核实！/64"});
    // The same model under another item is a new model, listed at once.
    page.menu()->chooseItem(0, 1);
    QCOMPARE(page.click("按钮添加型号"), QStringList());
    QCOMPARE(allRows(page.models()),
             (QList<QStringList>{{"1", "8寸", "把", "尖嘴"}, {"2", "10寸", "把", ""}}));
    // The whole stock is brought up to date when the report page is shown.
    page.get<QTabWidget>("高级选择夹1")->setCurrentIndex(2);
    QCOMPARE(page.get<ListView>("超级列表框总库存")->rowCount(), 6);
    QCOMPARE(page.count(tables::明细), 1);
}

void MaintenanceTest::modifyingAModel()
{
    Page page;
    QCOMPARE(page.click("按钮修改型号"), QStringList{"请选择要修改的项目！/48"});
    page.menu()->chooseItem(0, 0);
    // A selected model shows its fields in the boxes that modify it.
    const auto boxes = [&page] {
        return QStringList{page.get<QLineEdit>("编辑框型号")->text(),
                           page.get<QLineEdit>("编辑框单位")->text(),
                           page.get<QLineEdit>("编辑框型号备注")->text()};
    };
    clickRow(page.models(), 1);
    QCOMPARE(boxes(), (QStringList{"10寸", "把", ""}));
    clickRow(page.models(), 0);
    QCOMPARE(boxes(), (QStringList{"8寸", "把", "常用"}));
    QCOMPARE(page.click("按钮修改型号"), QStringList{"修改的项目已存在！/48"});
    // A model keeps a 型号 and a 单位; blanks are refused before the
    // duplicate check.
    page.type("编辑框型号", QStringLiteral(" 　"));
    QCOMPARE(page.click("按钮修改型号"), QStringList{"请填写型号信息！/64"});
    page.type("编辑框型号", QStringLiteral("10寸"));
    page.type("编辑框单位", QStringLiteral("　"));
    QCOMPARE(page.click("按钮修改型号"), QStringList{"请填写单位信息！/64"});
    page.type("编辑框单位", QStringLiteral("把"));
    QCOMPARE(page.click("按钮修改型号"), QStringList{"修改的项目已存在！/48"});
    page.type("编辑框型号", QStringLiteral("8寸"));
    page.type("编辑框型号备注", QStringLiteral("畅销"));
    QCOMPARE(page.click("按钮修改型号"), QStringList{"修改成功！/64"});
    QCOMPARE(rowTexts(page.models(), 0), (QStringList{"1", "8寸", "把", "畅销"}));
    // The stock stays; the booking page and the whole stock show the change.
    page.get<QTabWidget>("高级选择夹1")->setCurrentIndex(2);
    QCOMPARE(rowTexts(page.get<ListView>("超级列表框总库存"), 0),
             (QStringList{"1", "五金", "扳手", "8寸", "10", "把", "畅销"}));
    QCOMPARE(page.count(tables::明细), 1);
}

void MaintenanceTest::deletingAsksAndCascades()
{
    Page page;
    QCOMPARE(page.click("按钮删除型号"), QStringList{"请选择要删除的型号！/64"});
    QCOMPARE(page.click("按钮删除名称"), QStringList{"请选择要删除的项目名称！/64"});
    QCOMPARE(page.click("按钮删除品类"), QStringList{"请选择要删除的品类！/64"});
    page.menu()->chooseItem(1, 0);
    clickRow(page.models(), 1);
    // Cancelling each question changes nothing.
    const QStringList questions{"您确定要删除此型号吗？/32",
                                "删除当前项目，该项目下的型号也会删除。您确定删除吗？/48",
                                "删除当前品类，该品类下的项目也会全部删除，您确定吗？/48"};
    int asked = 0;
    for (const char *button : {"按钮删除型号", "按钮删除名称", "按钮删除品类"}) {
        page.dialogs.answerMessage(false);
        QCOMPARE(page.click(button), QStringList{questions[asked++]});
    }
    QCOMPARE(page.dialogs.shown().first().caption, QStringLiteral("当前要删除的是  电工"));
    QCOMPARE(page.count(tables::型号), 5);
    QCOMPARE(page.count(tables::名称), 3);
    QCOMPARE(page.count(tables::品类), 2);

    // A model is looked up before the question: a missing table is told at once.
    const QString models = page.files.path(tables::型号);
    QFile::rename(models, models + QStringLiteral(".away"));
    QCOMPARE(page.click("按钮删除型号"), QStringList{"数据库打开失败或丢失！/16"});
    QFile::rename(models + QStringLiteral(".away"), models);
    QCOMPARE(page.click("按钮删除型号"), QStringList{"您确定要删除此型号吗？/32"});
    QCOMPARE(allRows(page.models()), (QList<QStringList>{{"1", "2.5平方", "卷", "红色"}}));

    // With one table of the cascade out of reach, nothing is deleted.
    QFile::rename(models, models + QStringLiteral(".away"));
    QCOMPARE(page.click("按钮删除名称"),
             (QStringList{"删除当前项目，该项目下的型号也会删除。您确定删除吗？/48",
                          "数据库打开失败或丢失！/16"}));
    QCOMPARE(page.dialogs.shown().first().caption, QStringLiteral("当前要删除的是  电线"));
    QFile::rename(models + QStringLiteral(".away"), models);
    QCOMPARE(page.count(tables::名称), 3);

    QCOMPARE(
        page.click("按钮删除名称"),
        (QStringList{"删除当前项目，该项目下的型号也会删除。您确定删除吗？/48", "删除成功！/64"}));
    QCOMPARE(page.count(tables::名称), 2);
    QCOMPARE(page.count(tables::型号), 3);
    QCOMPARE(page.menu()->currentGroup(), 1);
    QCOMPARE(page.menu()->itemCount(1), 0);

    page.menu()->chooseGroup(0);
    QCOMPARE(
        page.click("按钮删除品类"),
        (QStringList{"删除当前品类，该品类下的项目也会全部删除，您确定吗？/48", "删除成功！/64"}));
    QCOMPARE(page.groups(), QStringList{"电工"});
    QCOMPARE(page.count(tables::名称), 0);
    QCOMPARE(page.count(tables::型号), 0);
    // The whole stock is brought up to date when the report page is shown.
    page.get<QTabWidget>("高级选择夹1")->setCurrentIndex(2);
    QCOMPARE(page.get<ListView>("超级列表框总库存")->rowCount(), 0);
    QCOMPARE(page.count(tables::明细), 1);
}

void MaintenanceTest::backingUpAndRestoring()
{
    Page page;
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
        BooksInUse otherCopy(QDir::currentPath());
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

QTEST_MAIN(MaintenanceTest)
#include "tst_maintenance.moc"
