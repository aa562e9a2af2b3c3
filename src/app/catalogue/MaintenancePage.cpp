#include "MaintenancePage.h"

#include "app/FormParts.h"
#include "ui/ColourPicker.h"
#include "ui/ListModel.h"
#include "ui/ListView.h"
#include "ui/RollUpMenu.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace kucun {

QWidget *MaintenancePage::buildCatalogueColumn()
{
    auto *column = new QWidget;
    auto *layout = new QVBoxLayout(column);
    layout->setContentsMargins(0, 0, 0, 0);

    auto *header = new QHBoxLayout;
    标签设置名称 = makeTitleLabel(QStringLiteral("标签设置名称"));
    addLabelled(header, QStringLiteral("名称："), 标签设置名称);
    header->addStretch(1);
    layout->addLayout(header);

    超级列表框设置 = makeList(QStringLiteral("超级列表框设置"), QStringLiteral("型号列表"),
                              {QStringLiteral("序号"), QStringLiteral("型号/特征"),
                               QStringLiteral("单位"), QStringLiteral("备注")},
                              {60, 180, 70});
    // Several models may be chosen at once for their labels; the boxes show the first.
    超级列表框设置->setMultiSelect(true);
    layout->addWidget(超级列表框设置, 1);

    auto *box = new QGroupBox(QStringLiteral("项目维护"));
    auto *grid = new QGridLayout(box);
    编辑框品类 = makeEdit(QStringLiteral("编辑框品类"), QStringLiteral("品类"));
    按钮添加品类 = makeButton(QStringLiteral("按钮添加品类"), QStringLiteral("添加品类"));
    按钮删除品类 = makeButton(QStringLiteral("按钮删除品类"), QStringLiteral("删除品类"));
    grid->addWidget(makeCaption(QStringLiteral("品类："), 编辑框品类), 0, 0);
    grid->addWidget(编辑框品类, 0, 1, 1, 3);
    grid->addWidget(按钮添加品类, 0, 4);
    grid->addWidget(按钮删除品类, 0, 5);

    组合框品类 = makeCombo(QStringLiteral("组合框品类"), QStringLiteral("所属品类"));
    编辑框名称 = makeEdit(QStringLiteral("编辑框名称"), QStringLiteral("名称"));
    按钮添加名称 = makeButton(QStringLiteral("按钮添加名称"), QStringLiteral("添加名称"));
    按钮删除名称 = makeButton(QStringLiteral("按钮删除名称"), QStringLiteral("删除名称"));
    grid->addWidget(makeCaption(QStringLiteral("所属品类："), 组合框品类), 1, 0);
    grid->addWidget(组合框品类, 1, 1);
    grid->addWidget(makeCaption(QStringLiteral("名称："), 编辑框名称), 1, 2);
    grid->addWidget(编辑框名称, 1, 3);
    grid->addWidget(按钮添加名称, 1, 4);
    grid->addWidget(按钮删除名称, 1, 5);

    编辑框型号 = makeEdit(QStringLiteral("编辑框型号"), QStringLiteral("型号"));
    编辑框单位 = makeEdit(QStringLiteral("编辑框单位"), QStringLiteral("单位"));
    编辑框型号备注 = makeEdit(QStringLiteral("编辑框型号备注"), QStringLiteral("型号备注"));
    grid->addWidget(makeCaption(QStringLiteral("型号："), 编辑框型号), 2, 0);
    grid->addWidget(编辑框型号, 2, 1);
    grid->addWidget(makeCaption(QStringLiteral("单位："), 编辑框单位), 2, 2);
    grid->addWidget(编辑框单位, 2, 3);
    grid->addWidget(makeCaption(QStringLiteral("备注："), 编辑框型号备注), 3, 0);
    grid->addWidget(编辑框型号备注, 3, 1, 1, 3);
    编辑框进价 = makeEdit(QStringLiteral("编辑框进价"), QStringLiteral("进价"));
    编辑框售价 = makeEdit(QStringLiteral("编辑框售价"), QStringLiteral("售价"));
    grid->addWidget(makeCaption(QStringLiteral("进价："), 编辑框进价), 4, 0);
    grid->addWidget(编辑框进价, 4, 1);
    grid->addWidget(makeCaption(QStringLiteral("售价："), 编辑框售价), 4, 2);
    grid->addWidget(编辑框售价, 4, 3);
    编辑框条码 = makeEdit(QStringLiteral("编辑框条码"), QStringLiteral("条码"));
    grid->addWidget(makeCaption(QStringLiteral("条码："), 编辑框条码), 5, 0);
    grid->addWidget(编辑框条码, 5, 1, 1, 3);
    编辑框最低库存 = makeEdit(QStringLiteral("编辑框最低库存"), QStringLiteral("最低库存"));
    编辑框补货至 = makeEdit(QStringLiteral("编辑框补货至"), QStringLiteral("补货至"));
    grid->addWidget(makeCaption(QStringLiteral("最低库存："), 编辑框最低库存), 6, 0);
    grid->addWidget(编辑框最低库存, 6, 1);
    grid->addWidget(makeCaption(QStringLiteral("补货至："), 编辑框补货至), 6, 2);
    grid->addWidget(编辑框补货至, 6, 3);

    按钮添加型号 = makeButton(QStringLiteral("按钮添加型号"), QStringLiteral("添加型号"));
    按钮修改型号 = makeButton(QStringLiteral("按钮修改型号"), QStringLiteral("修改型号"));
    按钮删除型号 = makeButton(QStringLiteral("按钮删除型号"), QStringLiteral("删除型号"));
    grid->addWidget(按钮添加型号, 2, 4);
    grid->addWidget(按钮修改型号, 2, 5);
    grid->addWidget(按钮删除型号, 3, 4);
    按钮打印条码 = makeButton(QStringLiteral("按钮打印条码"), QStringLiteral("打印条码…"));
    grid->addWidget(按钮打印条码, 5, 4, 1, 2);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(3, 1);
    layout->addWidget(box);
    return column;
}

QGroupBox *MaintenancePage::buildPasswordBox()
{
    auto *box = new QGroupBox(QStringLiteral("密码设置"));
    auto *layout = new QVBoxLayout(box);

    auto *radios = new QHBoxLayout;
    单选框启用密码 =
        makeChoice<QRadioButton>(QStringLiteral("单选框启用密码"), QStringLiteral("启用设置密码"));
    单选框禁用密码 =
        makeChoice<QRadioButton>(QStringLiteral("单选框禁用密码"), QStringLiteral("禁用所有密码"));
    单选框禁用密码->setChecked(true);
    radios->addWidget(单选框启用密码);
    radios->addWidget(单选框禁用密码);
    radios->addStretch(1);
    layout->addLayout(radios);

    auto *grid = new QGridLayout;
    编辑框密码 = makeEdit(QStringLiteral("编辑框密码"), QStringLiteral("密码"));
    编辑框确认密码 = makeEdit(QStringLiteral("编辑框确认密码"), QStringLiteral("确认密码"));
    for (QLineEdit *edit : {编辑框密码, 编辑框确认密码}) {
        edit->setEchoMode(QLineEdit::Password);
        setBackground(edit, 0x808080);
        edit->setEnabled(false);
    }
    grid->addWidget(makeCaption(QStringLiteral("密    码："), 编辑框密码), 0, 0);
    grid->addWidget(编辑框密码, 0, 1);
    grid->addWidget(makeCaption(QStringLiteral("确认密码："), 编辑框确认密码), 1, 0);
    grid->addWidget(编辑框确认密码, 1, 1);
    layout->addLayout(grid);

    auto *checks = new QHBoxLayout;
    选择框登录密码 =
        makeChoice<QCheckBox>(QStringLiteral("选择框登录密码"), QStringLiteral("登录程序密码"));
    选择框日志密码 =
        makeChoice<QCheckBox>(QStringLiteral("选择框日志密码"), QStringLiteral("日志查询密码"));
    选择框库存密码 =
        makeChoice<QCheckBox>(QStringLiteral("选择框库存密码"), QStringLiteral("库存查询密码"));
    checks->addWidget(选择框登录密码);
    checks->addWidget(选择框日志密码);
    checks->addWidget(选择框库存密码);
    layout->addLayout(checks);

    auto *hint = new QLabel(QStringLiteral("启用密码默认启用设置密码，其他选项请勾选。"));
    hint->setWordWrap(true);
    layout->addWidget(hint);
    auto *restartHint = new QLabel(QStringLiteral("密码设置后保存重启程序生效！"));
    restartHint->setWordWrap(true);
    layout->addWidget(restartHint);

    auto *buttons = new QHBoxLayout;
    按钮保存 = makeButton(QStringLiteral("按钮保存"), QStringLiteral("保存"));
    按钮出厂 = makeButton(QStringLiteral("按钮出厂"), QStringLiteral("恢复出厂设置"));
    按钮出厂->setVisible(false);
    buttons->addWidget(按钮保存);
    buttons->addStretch(1);
    buttons->addWidget(按钮出厂);
    layout->addLayout(buttons);
    return box;
}

QGroupBox *MaintenancePage::buildLookBox()
{
    auto *box = new QGroupBox(QStringLiteral("软件设置"));
    auto *grid = new QGridLayout(box);

    组合框菜单高度 = makeCombo(QStringLiteral("组合框菜单高度"), QStringLiteral("品类菜单高度"));
    组合框菜单高度->addItems({QStringLiteral("15"), QStringLiteral("20"), QStringLiteral("25"),
                              QStringLiteral("30"), QStringLiteral("35"), QStringLiteral("40"),
                              QStringLiteral("45"), QStringLiteral("50")});
    组合框菜单速度 = makeCombo(QStringLiteral("组合框菜单速度"), QStringLiteral("菜单滚动速度"));
    组合框菜单速度->addItems({QStringLiteral("30"), QStringLiteral("40"), QStringLiteral("50"),
                              QStringLiteral("60"), QStringLiteral("70"), QStringLiteral("80"),
                              QStringLiteral("90"), QStringLiteral("100"), QStringLiteral("200")});
    // The boxes show the stored numbers as text, also one the list lacks (0
    // after a factory reset), and save what they show.
    for (QComboBox *combo : {组合框菜单高度, 组合框菜单速度}) {
        combo->setEditable(true);
        combo->setInsertPolicy(QComboBox::NoInsert);
    }
    grid->addWidget(makeCaption(QStringLiteral("品类菜单高度："), 组合框菜单高度), 0, 0);
    grid->addWidget(组合框菜单高度, 0, 1);
    grid->addWidget(makeCaption(QStringLiteral("菜单滚动速度："), 组合框菜单速度), 1, 0);
    grid->addWidget(组合框菜单速度, 1, 1);

    const auto addPicker = [grid](ColourPicker *&picker, const QString &designerName,
                                  const QString &caption, int row) {
        picker = new ColourPicker;
        QString spoken = caption;
        spoken.chop(1);
        nameControl(picker, designerName, spoken);
        grid->addWidget(makeCaption(caption, picker), row, 0);
        grid->addWidget(picker, row, 1);
    };
    addPicker(颜色选择器背景颜色, QStringLiteral("颜色选择器背景颜色"),
              QStringLiteral("项目背景颜色："), 2);
    addPicker(颜色选择器文本颜色, QStringLiteral("颜色选择器文本颜色"),
              QStringLiteral("项目文字颜色："), 3);
    addPicker(颜色选择器文本选中颜色, QStringLiteral("颜色选择器文本选中颜色"),
              QStringLiteral("文字选中颜色："), 4);

    auto *hint = new QLabel(QStringLiteral("选中试用当前设置，记得保存设置。"));
    hint->setWordWrap(true);
    grid->addWidget(hint, 5, 0, 1, 2);
    按钮保存全部设置 =
        makeButton(QStringLiteral("按钮保存全部设置"), QStringLiteral("保存全部设置"));
    grid->addWidget(按钮保存全部设置, 6, 0, 1, 2);
    grid->setColumnStretch(1, 1);
    return box;
}

QGroupBox *MaintenancePage::buildBackupBox()
{
    auto *box = new QGroupBox(QStringLiteral("数据备份"));
    auto *layout = new QVBoxLayout(box);
    标签上次备份 = makeTitleLabel(QStringLiteral("标签上次备份"));
    标签上次备份->setWordWrap(true);
    layout->addWidget(标签上次备份);
    // A line of its own, shown only while the backups share the tables' disk.
    标签备份磁盘 = makeValueLabel(QStringLiteral("标签备份磁盘"), {});
    标签备份磁盘->setWordWrap(true);
    标签备份磁盘->hide();
    layout->addWidget(标签备份磁盘);
    列表框备份 =
        makeList(QStringLiteral("列表框备份"), QStringLiteral("备份列表"),
                 {QStringLiteral("备份时间"), QStringLiteral("类型"), QStringLiteral("型号数"),
                  QStringLiteral("明细条数"), QStringLiteral("总库存")},
                 {120, 50, 50, 70});
    // The list shows backups by their time, not by a row number.
    列表框备份->list().setNumbered(false);
    列表框备份->setMinimumHeight(120);
    layout->addWidget(列表框备份);
    auto *buttons = new QHBoxLayout;
    按钮立即备份 = makeButton(QStringLiteral("按钮立即备份"), QStringLiteral("立即备份"));
    按钮备份位置 = makeButton(QStringLiteral("按钮备份位置"), QStringLiteral("备份位置…"));
    按钮恢复备份 = makeButton(QStringLiteral("按钮恢复备份"), QStringLiteral("恢复备份…"));
    buttons->addWidget(按钮立即备份);
    buttons->addWidget(按钮备份位置);
    buttons->addWidget(按钮恢复备份);
    layout->addLayout(buttons);
    return box;
}

MaintenancePage::MaintenancePage(QWidget *parent) : QWidget(parent)
{
    auto *layout = new QHBoxLayout(this);

    卷帘式菜单2 = new RollUpMenu;
    nameControl(卷帘式菜单2, QStringLiteral("卷帘式菜单2"), QStringLiteral("品类菜单"));
    卷帘式菜单2->setMinimumWidth(180);
    layout->addWidget(卷帘式菜单2);
    layout->addWidget(buildCatalogueColumn(), 1);

    auto *settings = new QVBoxLayout;
    settings->addWidget(buildPasswordBox());
    settings->addWidget(buildLookBox());
    settings->addWidget(buildBackupBox());
    settings->addStretch(1);
    auto *settingsColumn = new QWidget;
    settingsColumn->setLayout(settings);
    settingsColumn->setMaximumWidth(380);
    settings->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(settingsColumn);
}

} // namespace kucun
