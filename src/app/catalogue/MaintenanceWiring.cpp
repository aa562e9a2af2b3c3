#include "MaintenanceHandlers.h"
#include "app/AppContext.h"
#include "app/backup/BackupHandlers.h"
#include "app/settings/LookHandlers.h"
#include "app/settings/PasswordHandlers.h"
#include "ui/ColourPicker.h"
#include "ui/ListView.h"
#include "ui/RollUpMenu.h"

#include <QComboBox>
#include <QPushButton>
#include <QRadioButton>

namespace kucun {

void connectMaintenancePage(const MaintenanceContext &context)
{
    MaintenancePage &page = context.page;
    // Connects a signal of a control of the page, or of one of its panels, to
    // a handler of that page or panel.
    const auto on = [&context](auto &panel, auto *sender, auto signal, auto handle) {
        const PageContext<std::remove_reference_t<decltype(panel)>> served{context, panel};
        QObject::connect(sender, signal, &panel, slotOf(served, handle));
    };
    on(page, page.卷帘式菜单2, &RollUpMenu::itemChosen, onMaintenanceItemChosen);
    on(page, page.超级列表框设置, &ListView::rowSelectionChanged, onMaintenanceModelSelected);
    on(page, page.按钮添加品类, &QPushButton::clicked, addTypedCategory);
    on(page, page.按钮添加名称, &QPushButton::clicked, addTypedItem);
    on(page, page.按钮添加型号, &QPushButton::clicked, addTypedModel);
    on(page, page.按钮修改型号, &QPushButton::clicked, modifySelectedModel);
    on(page, page.按钮删除型号, &QPushButton::clicked, deleteSelectedModel);
    on(page, page.按钮删除名称, &QPushButton::clicked, deleteChosenItem);
    on(page, page.按钮删除品类, &QPushButton::clicked, deleteChosenCategory);

    PasswordPanel &password = *page.password;
    on(password, password.按钮保存, &QPushButton::clicked, saveTypedPasswordSettings);
    on(password, password.按钮出厂, &QPushButton::clicked, resetToFactory);
    on(password, password.单选框启用密码, &QRadioButton::clicked, onPasswordOn);
    on(password, password.单选框禁用密码, &QRadioButton::clicked, onPasswordOff);

    LookPanel &look = *page.look;
    on(look, look.组合框菜单高度, &QComboBox::activated, onMenuHeightChosen);
    on(look, look.组合框菜单速度, &QComboBox::activated, onMenuSpeedChosen);
    on(look, look.颜色选择器背景颜色, &ColourPicker::colourChanged, onBackgroundColourChanged);
    on(look, look.颜色选择器文本颜色, &ColourPicker::colourChanged, onTextColourChanged);
    on(look, look.颜色选择器文本选中颜色, &ColourPicker::colourChanged, onSelectedColourChanged);
    on(look, look.按钮保存全部设置, &QPushButton::clicked, saveAllSettings);

    BackupPanel &backup = *page.backup;
    on(backup, backup.按钮立即备份, &QPushButton::clicked, backUpNow);
    on(backup, backup.按钮备份位置, &QPushButton::clicked, chooseBackupFolder);
    on(backup, backup.按钮恢复备份, &QPushButton::clicked, restoreChosenBackup);
}

} // namespace kucun
