#pragma once

#include "app/catalogue/MaintenancePage.h"
#include "book/Outcome.h"

class QString;
class QTabWidget;
class QWidget;

namespace kucun {

struct AppContext;
enum class SettingsOutcome;

enum class SettingsLoad
{
    Loaded,
    Locked,     // 设置 is gone
    Unreadable, // 设置 is there but could not be read; why was shown
};

// Loads the settings record: the password and its three flags into the
// in-memory settings, the look into the look controls and both menus.
SettingsLoad loadSettings(AppContext &context, MaintenancePage &page);

// Start-up's priming of the password controls from the in-memory settings.
void primePasswordControls(MaintenanceContext &context);

// "启用设置密码" and "禁用所有密码" clicked.
void onPasswordOn(MaintenanceContext &context);
void onPasswordOff(MaintenanceContext &context);

// What a save of the settings record came to, told to the user: the
// message for a table that can't be opened or a failed write, else
// `savedText`.
void tellSettingsSave(AppContext &context, Outcome<SettingsOutcome> outcome,
                      const QString &savedText);

// "保存": the password and its three flags into the settings record, in
// force from the next start.
void saveTypedPasswordSettings(MaintenanceContext &context);

// The page guard of 高级选择夹1: asks the password when the page asks for
// it; true when the page may be shown.
bool passPageGuard(AppContext &context, int page);
// Shows the contents of the page and covers every other guarded page.
void showPageContents(const QTabWidget &pages, int page);

// Wraps the contents of a guarded page: they stay covered until the guard
// allows the page, so that they never show while the password is asked or
// after a refusal.
QWidget *coveredPage(QWidget *contents);

// "恢复出厂设置": behind the super password, empties every table and ends
// the program.
void resetToFactory(MaintenanceContext &context);

} // namespace kucun
