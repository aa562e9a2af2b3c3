#include "app/Translations.h"
#include "helpers/ScriptedDialogs.h"
#include "helpers/TestTables.h"
#include "helpers/WindowTest.h"
#include "store/TableSchema.h"
#include "ui/ListView.h"
#include "ui/RollUpMenu.h"

#include <QComboBox>
#include <QDir>
#include <QProcess>
#include <QTabWidget>
#include <QTest>

using namespace kucun;
using namespace kucun::test;

class CatalogueListsTest : public QObject
{
    Q_OBJECT

private slots:
    void windowHasItsPagesAndNamedControls();
    void qtTextsAreChinese();
    void emptyTablesLeaveTheViewsEmpty();
    void missingTablesAreReported();
    void categoriesAndItemsFillBothMenus();
    void tableWrittenWithTheShellIsRead();
};

namespace {

QStringList groupsOf(const RollUpMenu &menu)
{
    QStringList groups;
    for (int g = 0; g < menu.groupCount(); ++g) {
        groups << menu.groupText(g);
    }
    return groups;
}

QStringList itemsOf(const RollUpMenu &menu, int group)
{
    QStringList items;
    for (int i = 0; i < menu.itemCount(group); ++i) {
        items << menu.itemText(group, i);
    }
    return items;
}

QStringList entriesOf(const QComboBox &combo)
{
    QStringList entries;
    for (int i = 0; i < combo.count(); ++i) {
        entries << combo.itemText(i);
    }
    return entries;
}

} // namespace

void CatalogueListsTest::windowHasItsPagesAndNamedControls()
{
    TestTables files;
    files.createAll();
    ScriptedDialogs dialogs;
    auto window = startMainWindow(dialogs, files.folders());
    QCOMPARE(window->windowTitle(), QStringLiteral("库存管理系统"));
    QCOMPARE(window->y(), 0);

    auto *tabs = control<QTabWidget>(*window, QStringLiteral("高级选择夹1"));
    QCOMPARE(tabs->count(), 4);
    QCOMPARE(tabs->tabText(0), QStringLiteral("进销库存"));
    QCOMPARE(tabs->tabText(1), QStringLiteral("日志查询"));
    QCOMPARE(tabs->tabText(2), QStringLiteral("库存报表"));
    QCOMPARE(tabs->tabText(3), QStringLiteral("项目设置"));

    const QStringList names = {
        QStringLiteral("卷帘式菜单1"),     QStringLiteral("按钮显示菜单"),
        QStringLiteral("编辑框_关键字"),   QStringLiteral("按钮5"),
        QStringLiteral("编辑框入库"),      QStringLiteral("按钮入库"),
        QStringLiteral("编辑框出库"),      QStringLiteral("按钮出库"),
        QStringLiteral("日期框进销"),      QStringLiteral("编辑框关键字"),
        QStringLiteral("按钮模糊搜索"),    QStringLiteral("日期框明细起"),
        QStringLiteral("日期框明细止"),    QStringLiteral("按钮日期搜索"),
        QStringLiteral("按钮删除选中"),    QStringLiteral("透明标签日志总数"),
        QStringLiteral("组合框1"),         QStringLiteral("组合框2"),
        QStringLiteral("组合框3"),         QStringLiteral("月历1"),
        QStringLiteral("按钮导出月库存"),  QStringLiteral("按钮打印类表单"),
        QStringLiteral("卷帘式菜单2"),     QStringLiteral("组合框品类"),
        QStringLiteral("编辑框型号备注"),  QStringLiteral("按钮删除品类"),
        QStringLiteral("单选框启用密码"),  QStringLiteral("编辑框确认密码"),
        QStringLiteral("选择框库存密码"),  QStringLiteral("按钮出厂"),
        QStringLiteral("组合框菜单速度"),  QStringLiteral("颜色选择器文本选中颜色"),
        QStringLiteral("按钮保存全部设置")};
    for (const QString &name : names) {
        auto *widget = window->findChild<QWidget *>(name);
        QVERIFY2(widget, qPrintable(name));
        QCOMPARE(widget->accessibleDescription(), name);
    }
    // Edit boxes and lists speak the text of their label.
    QCOMPARE(control<QWidget>(*window, QStringLiteral("编辑框入库"))->accessibleName(),
             QStringLiteral("入库数量"));

    const auto titles = [&window](const QString &name) {
        const ListView *list = control<ListView>(*window, name);
        QStringList columns;
        for (int c = 0; c < list->columnCount(); ++c) {
            columns << list->model()->headerData(c, Qt::Horizontal).toString();
        }
        return columns.join(QLatin1Char(','));
    };
    QCOMPARE(titles(QStringLiteral("超级列表框进销")),
             QStringLiteral("序号,型号/特征,库存,单位,备注"));
    QCOMPARE(titles(QStringLiteral("超级列表框设置")), QStringLiteral("序号,型号/特征,单位,备注"));
    QCOMPARE(titles(QStringLiteral("超级列表框日志")),
             QStringLiteral("序号,品类,名称,型号,入库,出库,单位,备注"));
    QCOMPARE(titles(QStringLiteral("超级列表框明细")),
             QStringLiteral("序号,日期,品类,名称,型号,入库,出库,单位,备注"));
    for (const char *report : {"超级列表框总库存", "超级列表框类库存", "超级列表框月库存"}) {
        QCOMPARE(titles(QString::fromUtf8(report)),
                 QStringLiteral("序号,品类,名称,型号,库存,单位,备注"));
    }
    QCOMPARE(dialogs.shown().size(), 0);
}

void CatalogueListsTest::qtTextsAreChinese()
{
    installChineseTranslations(*QCoreApplication::instance());
    QCOMPARE(QCoreApplication::translate("QPlatformTheme", "OK"), QStringLiteral("确定"));
    QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Cancel"), QStringLiteral("取消"));
    QCOMPARE(QLocale().language(), QLocale::Chinese);
}

void CatalogueListsTest::emptyTablesLeaveTheViewsEmpty()
{
    TestTables files;
    files.createAll();
    ScriptedDialogs dialogs;
    auto window = startMainWindow(dialogs, files.folders());
    QCOMPARE(control<RollUpMenu>(*window, QStringLiteral("卷帘式菜单1"))->groupCount(), 0);
    QCOMPARE(control<RollUpMenu>(*window, QStringLiteral("卷帘式菜单2"))->groupCount(), 0);
    QCOMPARE(control<QComboBox>(*window, QStringLiteral("组合框品类"))->count(), 0);
    QCOMPARE(control<QComboBox>(*window, QStringLiteral("组合框1"))->count(), 0);
    QVERIFY(window->state().categories.isEmpty());
    QCOMPARE(dialogs.texts(), QStringList());
}

void CatalogueListsTest::missingTablesAreReported()
{
    TestTables files;
    files.createAll();
    files.add(tables::名称, {QStringLiteral("五金"), QStringLiteral("扳手")});
    files.removeFile(tables::品类);
    ScriptedDialogs dialogs;
    auto window = startMainWindow(dialogs, files.folders());
    QCOMPARE(dialogs.texts(), QStringList{QStringLiteral("数据库打开失败或丢失！")});
    QCOMPARE(dialogs.shown().first().icon, 16);
    QCOMPARE(control<RollUpMenu>(*window, QStringLiteral("卷帘式菜单1"))->groupCount(), 0);
    QCOMPARE(control<QComboBox>(*window, QStringLiteral("组合框1"))->count(), 0);

    // Both tables gone: each loader reports its own failure.
    files.removeFile(tables::名称);
    ScriptedDialogs second;
    auto again = startMainWindow(second, files.folders());
    QCOMPARE(second.texts(), (QStringList{QStringLiteral("数据库打开失败或丢失！"),
                                          QStringLiteral("数据库打开失败或丢失！")}));
}

void CatalogueListsTest::categoriesAndItemsFillBothMenus()
{
    TestTables files;
    files.createAll();
    for (const char *category : {"五金", "电工", "五金", "水暖"}) {
        files.add(tables::品类, {QString::fromUtf8(category)});
    }
    files.add(tables::名称, {QStringLiteral("电工"), QStringLiteral("电线")});
    files.add(tables::名称, {QStringLiteral("五金"), QStringLiteral("扳手")});
    files.add(tables::名称, {QStringLiteral("已删除"), QStringLiteral("孤儿")});
    files.add(tables::名称, {QStringLiteral("五金"), QStringLiteral("钳子")});
    files.add(tables::名称, {QStringLiteral("五金 "), QStringLiteral("带空格")});
    files.add(tables::名称, {QStringLiteral("电工"), QStringLiteral("开关")});
    ScriptedDialogs dialogs;
    auto window = startMainWindow(dialogs, files.folders());
    QCOMPARE(dialogs.texts(), QStringList());

    const QStringList categories = {QStringLiteral("五金"), QStringLiteral("电工"),
                                    QStringLiteral("五金"), QStringLiteral("水暖")};
    QCOMPARE(window->state().categories, categories);
    for (const char *name : {"卷帘式菜单1", "卷帘式菜单2"}) {
        const RollUpMenu &menu = *control<RollUpMenu>(*window, QString::fromUtf8(name));
        QCOMPARE(groupsOf(menu), categories);
        // Items stand under the first group of their category, in table order;
        // an item of an unknown category, or of a text that differs by a
        // space, is shown nowhere.
        QCOMPARE(itemsOf(menu, 0), (QStringList{QStringLiteral("扳手"), QStringLiteral("钳子")}));
        QCOMPARE(itemsOf(menu, 1), (QStringList{QStringLiteral("电线"), QStringLiteral("开关")}));
        QCOMPARE(itemsOf(menu, 2), QStringList());
        QCOMPARE(itemsOf(menu, 3), QStringList());
    }
    QCOMPARE(entriesOf(*control<QComboBox>(*window, QStringLiteral("组合框品类"))), categories);
    QCOMPARE(entriesOf(*control<QComboBox>(*window, QStringLiteral("组合框1"))), categories);
}

void CatalogueListsTest::tableWrittenWithTheShellIsRead()
{
    TestTables files;
    files.createAll();
    for (const QString &table : {tables::品类, tables::名称}) {
        files.removeFile(table);
    }
    // Written with the sqlcipher shell alone, as the file format describes.
    const auto shell = [](const QString &path, const QByteArray &sql) {
        QProcess process;
        process.start(QStringLiteral("sqlcipher"), {path});
        process.write("PRAGMA key='604213';\nPRAGMA kdf_iter=256;\n" + sql + "\n.quit\n");
        process.closeWriteChannel();
        QVERIFY(process.waitForFinished(60000));
        QCOMPARE(process.exitCode(), 0);
    };
    shell(files.path(tables::品类),
          "CREATE TABLE 品类 (品类 TEXT); INSERT INTO 品类 VALUES ('劳保'), ('油漆');");
    shell(files.path(tables::名称), "CREATE TABLE 名称 (品类 TEXT, 名称 TEXT); "
                                    "INSERT INTO 名称 VALUES ('油漆', '乳胶漆');");
    ScriptedDialogs dialogs;
    auto window = startMainWindow(dialogs, files.folders());
    QCOMPARE(dialogs.texts(), QStringList());
    const RollUpMenu &menu = *control<RollUpMenu>(*window, QStringLiteral("卷帘式菜单1"));
    QCOMPARE(groupsOf(menu), (QStringList{QStringLiteral("劳保"), QStringLiteral("油漆")}));
    QCOMPARE(itemsOf(menu, 1), QStringList{QStringLiteral("乳胶漆")});
}

QTEST_MAIN(CatalogueListsTest)
#include "tst_catalogue.moc"
