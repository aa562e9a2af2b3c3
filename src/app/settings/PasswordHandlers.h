#pragma once

#include "book/Outcome.h"

class QString;
class QWidget;

namespace kucun {

struct AppContext;
struct Form;
enum class SettingsOutcome;

enum class SettingsLoad
{
    Loaded,
    Locked,     // 设置 is gone
    Unreadable, // 设置 is there but could not be read; why was shown
};

// Loads the settings record: the password and its three flags into the
// in-memory settings, the look into both menus and the look controls.
SettingsLoad loadSettings(AppContext &context);

// Start-up's priming of the password controls from the in-memory settings.
void primePasswordControls(AppContext &context);

// "启用设置密码" and "禁用所有密码" clicked.
void onPasswordOn(AppContext &context);
void onPasswordOff(AppContext &context);

// What a save of the settings record came to, told to the user: the
// message for a table that can't be opened or a failed write, else
// `savedText`.
void tellSettingsSave(AppContext &context, Outcome<SettingsOutcome> outcome,
                      const QString &savedText);

// "保存": the password and its three flags into the settings record, in
// force from the next start.
void saveTypedPasswordSettings(AppContext &context);

// The page guard of 高级选择夹1: asks the password when the page asks for
// it; true when the page may be shown.
bool passPageGuard(AppContext &context, int page);
// Shows the contents of the page and covers every other guarded page.
void showPageContents(const Form &form, int page);

// Wraps the contents of a guarded page: they stay covered until the guard
// allows the page, so that they never show while the password is asked or
// after a refusal.
QWidget *coveredPage(QWidget *contents);

// "恢复出厂设置": behind the super password, empties every table and ends
// the program.
void resetToFactory(AppContext &context);

} // namespace kucun
