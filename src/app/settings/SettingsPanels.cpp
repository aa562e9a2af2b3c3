#include "SettingsPanels.h"

#include "app/FormParts.h"
#include "ui/ColourPicker.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace kucun {

PasswordPanel::PasswordPanel() : QGroupBox(QStringLiteral("密码设置"))
{
    auto *layout = new QVBoxLayout(this);

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
}

LookPanel::LookPanel() : QGroupBox(QStringLiteral("软件设置"))
{
    auto *grid = new QGridLayout(this);

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
}

} // namespace kucun
