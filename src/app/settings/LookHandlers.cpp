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

// Calls set on 卷帘式菜单1, then on 卷帘式菜单2.
template <typename Set> void onBothMenus(const Form &form, Set &&set)
{
    set(*form.卷帘式菜单1);
    set(*form.卷帘式菜单2);
}

} // namespace

void showMenuLook(const Form &form, const MenuLook &look)
{
    onBothMenus(form, [&look](RollUpMenu &menu) {
        menu.setItemHeight(look.itemHeight);
        menu.setScrollSpeed(look.scrollSpeed);
        menu.setBackgroundColour(fromWindowsColour(look.background));
        menu.setTextColour(fromWindowsColour(look.text));
        menu.setSelectedColour(fromWindowsColour(look.selected));
    });
    form.组合框菜单高度->setCurrentText(QString::number(look.itemHeight));
    form.组合框菜单速度->setCurrentText(QString::number(look.scrollSpeed));
    form.颜色选择器背景颜色->setColourValue(look.background);
    form.颜色选择器文本颜色->setColourValue(look.text);
    form.颜色选择器文本选中颜色->setColourValue(look.selected);
}

void onMenuHeightChosen(AppContext &context)
{
    // Both menus take the chosen height at once: the owner tries a look before saving it.
    onBothMenus(context.form, [&context](RollUpMenu &menu) {
        menu.setItemHeight(numberIn(context.form.组合框菜单高度));
    });
}

void onMenuSpeedChosen(AppContext &context)
{
    onBothMenus(context.form, [&context](RollUpMenu &menu) {
        menu.setScrollSpeed(numberIn(context.form.组合框菜单速度));
    });
}

void onBackgroundColourChanged(AppContext &context)
{
    const QColor colour = fromWindowsColour(context.form.颜色选择器背景颜色->colourValue());
    onBothMenus(context.form, [&colour](RollUpMenu &menu) { menu.setBackgroundColour(colour); });
}

void onTextColourChanged(AppContext &context)
{
    const QColor colour = fromWindowsColour(context.form.颜色选择器文本颜色->colourValue());
    onBothMenus(context.form, [&colour](RollUpMenu &menu) { menu.setTextColour(colour); });
}

void onSelectedColourChanged(AppContext &context)
{
    const QColor colour = fromWindowsColour(context.form.颜色选择器文本选中颜色->colourValue());
    onBothMenus(context.form, [&colour](RollUpMenu &menu) { menu.setSelectedColour(colour); });
}

void saveAllSettings(AppContext &context)
{
    const Form &form = context.form;
    MenuLook look;
    look.itemHeight = numberIn(form.组合框菜单高度);
    look.scrollSpeed = numberIn(form.组合框菜单速度);
    look.background = form.颜色选择器背景颜色->colourValue();
    look.text = form.颜色选择器文本颜色->colourValue();
    look.selected = form.颜色选择器文本选中颜色->colourValue();
    tellSettingsSave(context, saveMenuLook(context.folders, look), QStringLiteral("保存成功"));
}

} // namespace kucun
