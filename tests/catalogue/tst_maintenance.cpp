#include "helpers/ScriptedDialogs.h"
#include "helpers/SettingsPage.h"
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
    void aModelsCodeAndLevels();
};

void MaintenanceTest::addingChecksInOrder()
{
    SettingsPage page;
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
    SettingsPage page;
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

void MaintenanceTest::aModelsCodeAndLevels()
{
    SettingsPage page;
    page.menu()->chooseItem(0, 0);
    const auto boxes = [&page] {
        return QStringList{page.get<QLineEdit>("编辑框条码")->text(),
                           page.get<QLineEdit>("编辑框最低库存")->text(),
                           page.get<QLineEdit>("编辑框补货至")->text()};
    };
    clickRow(page.models(), 0);
    page.type("编辑框条码", QStringLiteral(" 6901234567892 "));
    page.type("编辑框最低库存", QStringLiteral("-1"));
    QCOMPARE(page.click("按钮修改型号"), QStringList{"最低库存须为不小于0的数字！/48"});
    page.type("编辑框最低库存", QStringLiteral("5"));
    page.type("编辑框补货至", QStringLiteral("4"));
    QCOMPARE(page.click("按钮修改型号"), QStringList{"补货至不能小于最低库存！/48"});
    page.type("编辑框补货至", QStringLiteral("20"));
    QCOMPARE(page.click("按钮修改型号"), QStringList{"修改成功！/64"});
    clickRow(page.models(), 1);
    QCOMPARE(boxes(), (QStringList{"", "", ""}));
    page.type("编辑框条码", QStringLiteral("6901234567892"));
    QCOMPARE(page.click("按钮修改型号"), QStringList{"条码已被其他型号使用：五金/扳手/8寸/48"});
    clickRow(page.models(), 0);
    QCOMPARE(boxes(), (QStringList{"6901234567892", "5", "20"}));
}

void MaintenanceTest::deletingAsksAndCascades()
{
    SettingsPage page;
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

QTEST_MAIN(MaintenanceTest)
#include "tst_maintenance.moc"
