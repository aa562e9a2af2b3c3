#include "LookHandlers.h"

#include "PasswordHandlers.h"
#include "app/AppContext.h"
#include "app/Messages.h"
#include "book/settings/Settings.h"
#include "book/stock/Quantity.h"
#include "ui/ColourPicker.h"
#include "ui/Dialogs.h"
#include "ui/RollUpMenu.h"
#include "ui/WindowsColour.h"

#include <QComboBox>
#include <algorithm>
#include <limits>

namespace kucun {

namespace {

// The leading decimal digits of a combo box's text; none give 0.
qint32 numberIn(const QComboBox *combo)
{
    const qint64 value = leadingInteger(combo->currentText());
    return qint32(std::clamp<qint64>(value, std::numeric_limits<qint32>::min(),
                                     std::numeric_limits<qint32>::max()));
}

// The look with one value tried, for both menus to show.
template <typename Value>
void tryLook(MaintenanceContext &context, Value MenuLook::*part, Value value)
{
    context.page.shownLook.*part = value;
    emit context.page.menuLookChanged(context.page.shownLook);
}

} // namespace

void applyMenuLook(RollUpMenu &menu, const MenuLook &look)
{
    menu.setItemHeight(look.itemHeight);
    menu.setScrollSpeed(look.scrollSpeed);
    menu.setBackgroundColour(fromWindowsColour(look.background));
    menu.setTextColour(fromWindowsColour(look.text));
    menu.setSelectedColour(fromWindowsColour(look.selected));
}

void showMenuLook(MaintenancePage &page, const MenuLook &look)
{
    page.组合框菜单高度->setCurrentText(QString::number(look.itemHeight));
    page.组合框菜单速度->setCurrentText(QString::number(look.scrollSpeed));
    page.颜色选择器背景颜色->setColourValue(look.background);
    page.颜色选择器文本颜色->setColourValue(look.text);
    page.颜色选择器文本选中颜色->setColourValue(look.selected);
    page.shownLook = look;
    emit page.menuLookChanged(look);
}

void onMenuHeightChosen(MaintenanceContext &context)
{
    // Both menus take the chosen height at once: the owner tries a look before saving it.
    tryLook(context, &MenuLook::itemHeight, numberIn(context.page.组合框菜单高度));
}

void onMenuSpeedChosen(MaintenanceContext &context)
{
    tryLook(context, &MenuLook::scrollSpeed, numberIn(context.page.组合框菜单速度));
}

void onBackgroundColourChanged(MaintenanceContext &context)
{
    tryLook(context, &MenuLook::background, context.page.颜色选择器背景颜色->colourValue());
}

void onTextColourChanged(MaintenanceContext &context)
{
    tryLook(context, &MenuLook::text, context.page.颜色选择器文本颜色->colourValue());
}

void onSelectedColourChanged(MaintenanceContext &context)
{
    tryLook(context, &MenuLook::selected, context.page.颜色选择器文本选中颜色->colourValue());
}

void saveAllSettings(MaintenanceContext &context)
{
    const MaintenancePage &page = context.page;
    MenuLook look;
    look.itemHeight = numberIn(page.组合框菜单高度);
    look.scrollSpeed = numberIn(page.组合框菜单速度);
    look.background = page.颜色选择器背景颜色->colourValue();
    look.text = page.颜色选择器文本颜色->colourValue();
    look.selected = page.颜色选择器文本选中颜色->colourValue();
    tellSettingsSave(context, saveMenuLook(context.folders, look), QStringLiteral("保存成功"));
}

} // namespace kucun
