#include "MaintenancePage.h"

#include "app/FormParts.h"
#include "app/backup/BackupPanel.h"
#include "app/settings/SettingsPanels.h"
#include "ui/ListView.h"
#include "ui/RollUpMenu.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
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

    按钮添加型号 = makeButton(QStringLiteral("按钮添加型号"), QStringLiteral("添加型号"));
    按钮修改型号 = makeButton(QStringLiteral("按钮修改型号"), QStringLiteral("修改型号"));
    按钮删除型号 = makeButton(QStringLiteral("按钮删除型号"), QStringLiteral("删除型号"));
    grid->addWidget(按钮添加型号, 2, 4);
    grid->addWidget(按钮修改型号, 2, 5);
    grid->addWidget(按钮删除型号, 3, 4);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(3, 1);
    layout->addWidget(box);
    return column;
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
    settings->addWidget(password = new PasswordPanel);
    settings->addWidget(look = new LookPanel);
    settings->addWidget(backup = new BackupPanel);
    settings->addStretch(1);
    auto *settingsColumn = new QWidget;
    settingsColumn->setLayout(settings);
    settingsColumn->setMaximumWidth(380);
    settings->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(settingsColumn);
}

} // namespace kucun
