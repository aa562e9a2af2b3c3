#pragma once

#include "SettingsPanels.h"

namespace kucun {

class RollUpMenu;

// Gives a roll-up menu the look.
void applyMenuLook(RollUpMenu &menu, const MenuLook &look);

// Shows the look in the five look controls, and asks both menus to show it.
void showMenuLook(LookPanel &panel, const MenuLook &look);

// Live preview: each control's value goes to both menus at once; nothing is
// stored.
void onMenuHeightChosen(LookContext &context);
void onMenuSpeedChosen(LookContext &context);
void onBackgroundColourChanged(LookContext &context);
void onTextColourChanged(LookContext &context);
void onSelectedColourChanged(LookContext &context);

// "保存全部设置": the five controls' values into the settings record; the
// password and its flags stay as stored.
void saveAllSettings(LookContext &context);

} // namespace kucun
