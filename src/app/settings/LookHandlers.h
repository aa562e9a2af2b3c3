#pragma once

namespace kucun {

struct AppContext;
struct Form;
struct MenuLook;

// The look of both roll-up menus: every write goes first to
// 卷帘式菜单1, then to 卷帘式菜单2.

// Gives both menus the look, and shows it in the five look controls.
void showMenuLook(const Form &form, const MenuLook &look);

// Live preview: each control's value goes to both menus at once; nothing is
// stored.
void onMenuHeightChosen(AppContext &context);
void onMenuSpeedChosen(AppContext &context);
void onBackgroundColourChanged(AppContext &context);
void onTextColourChanged(AppContext &context);
void onSelectedColourChanged(AppContext &context);

// "保存全部设置": the five controls' values into the settings record; the
// password and its flags stay as stored.
void saveAllSettings(AppContext &context);

} // namespace kucun
