#pragma once

#include "app/catalogue/MaintenancePage.h"

namespace kucun {

class RollUpMenu;

// Gives a roll-up menu the look.
void applyMenuLook(RollUpMenu &menu, const MenuLook &look);

// Shows the look in the five look controls, and asks both menus to show it.
void showMenuLook(MaintenancePage &page, const MenuLook &look);

// Live preview: each control's value goes to both menus at once; nothing is
// stored.
void onMenuHeightChosen(MaintenanceContext &context);
void onMenuSpeedChosen(MaintenanceContext &context);
void onBackgroundColourChanged(MaintenanceContext &context);
void onTextColourChanged(MaintenanceContext &context);
void onSelectedColourChanged(MaintenanceContext &context);

// "保存全部设置": the five controls' values into the settings record; the
// password and its flags stay as stored.
void saveAllSettings(MaintenanceContext &context);

} // namespace kucun
