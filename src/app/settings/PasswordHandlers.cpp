#include "PasswordHandlers.h"

#include "LookHandlers.h"
#include "app/AppContext.h"
#include "app/FormParts.h"
#include "app/Messages.h"
#include "app/backup/BackupHandlers.h"
#include "book/settings/Settings.h"
#include "ui/Dialogs.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QStackedWidget>
#include <QTabWidget>

namespace kucun {

namespace {

constexpr int passwordOnBackground = 0xFFFFFF;
constexpr int passwordOffBackground = 0x808080;

// The two layers of a covered page.
constexpr int coverLayer = 0;
constexpr int contentsLayer = 1;

const QString coveredPageName = QStringLiteral("受保护页面");

QStackedWidget *coverOf(const QTabWidget &pages, int page)
{
    QWidget *widget = pages.widget(page);
    return widget && widget->objectName() == coveredPageName
               ? qobject_cast<QStackedWidget *>(widget)
               : nullptr;
}

} // namespace

SettingsLoad loadSettings(AppContext &context, MaintenancePage &page)
{
    const ReadResult<Settings> settings = readSettings(context.folders);
    if (!settings) {
        if (isLocked(context.folders)) {
            return SettingsLoad::Locked;
        }
        reportTableFailure(context.dialogs, settings.fault(), QString());
        return SettingsLoad::Unreadable;
    }
    context.state.settings = settings->passwords;
    showMenuLook(page, settings->look);
    return SettingsLoad::Loaded;
}

void primePasswordControls(MaintenanceContext &context)
{
    const MaintenancePage &page = context.page;
    const PasswordSettings &settings = context.state.settings;
    if (!settings.password.isEmpty()) {
        page.单选框启用密码->setChecked(true);
        page.单选框禁用密码->setChecked(false);
        for (QLineEdit *edit : {page.编辑框密码, page.编辑框确认密码}) {
            setBackground(edit, passwordOnBackground);
            edit->setText(settings.password);
            // The boxes take the password-on look whole: they can be edited.
            edit->setEnabled(true);
        }
    }
    page.选择框登录密码->setChecked(settings.atLogin);
    page.选择框日志密码->setChecked(settings.beforeLog);
    page.选择框库存密码->setChecked(settings.beforeStock);
}

void onPasswordOn(MaintenanceContext &context)
{
    for (QLineEdit *edit : {context.page.编辑框密码, context.page.编辑框确认密码}) {
        setBackground(edit, passwordOnBackground);
        edit->setEnabled(true);
    }
}

void onPasswordOff(MaintenanceContext &context)
{
    const MaintenancePage &page = context.page;
    for (QLineEdit *edit : {page.编辑框密码, page.编辑框确认密码}) {
        setBackground(edit, passwordOffBackground);
        edit->clear();
        edit->setEnabled(false);
    }
    for (QCheckBox *check : {page.选择框登录密码, page.选择框日志密码, page.选择框库存密码}) {
        check->setChecked(false);
    }
}

void saveTypedPasswordSettings(MaintenanceContext &context)
{
    const MaintenancePage &page = context.page;
    const QString typed = page.编辑框密码->text();
    if (page.单选框启用密码->isChecked() && typed.trimmed().isEmpty()) {
        warn(context.dialogs, QStringLiteral("请输入有效密码！"));
        return;
    }
    if (typed != page.编辑框确认密码->text()) {
        warn(context.dialogs, QStringLiteral("您二次输入的密码不一致，请核对！"));
        return;
    }
    PasswordSettings settings;
    settings.password = page.单选框禁用密码->isChecked() ? QString() : typed;
    settings.atLogin = page.选择框登录密码->isChecked();
    settings.beforeLog = page.选择框日志密码->isChecked();
    settings.beforeStock = page.选择框库存密码->isChecked();
    // The in-memory settings stay as they are until the next start.
    tellSettingsSave(context, savePasswordSettings(context.folders, settings),
                     QStringLiteral("保存成功！重启程序后生效！"));
}

void tellSettingsSave(AppContext &context, Outcome<SettingsOutcome> outcome,
                      const QString &savedText)
{
    if (outcome.done()) {
        inform(context.dialogs, savedText);
        return;
    }
    toldTableFailure(context.dialogs, outcome.fault(),
                     QStringLiteral("数据写入失败，设置未保存，请稍后重试！"));
}

bool passPageGuard(AppContext &context, int page)
{
    const PasswordSettings &settings = context.state.settings;
    if (!pageAsksPassword(page, settings)) {
        return true;
    }
    const std::optional<QString> typed = context.dialogs.input(
        QStringLiteral("请输入密码"), QStringLiteral("枫淮库存管理系统"), QString(), true);
    if (!typed) {
        return false;
    }
    if (!passwordMatches(*typed, settings.password)) {
        tell(context.dialogs, QStringLiteral("输入密码有误，请重新输入！"), Dialogs::Error);
        return false;
    }
    return true;
}

void showPageContents(const QTabWidget &pages, int page)
{
    // A page left behind is covered again, so the guard asks before it shows.
    for (int other = 0; other < pages.count(); ++other) {
        if (QStackedWidget *cover = coverOf(pages, other)) {
            cover->setCurrentIndex(other == page ? contentsLayer : coverLayer);
        }
    }
}

QWidget *coveredPage(QWidget *contents)
{
    auto *page = new QStackedWidget;
    page->setObjectName(coveredPageName);
    page->insertWidget(coverLayer, new QWidget);
    page->insertWidget(contentsLayer, contents);
    page->setCurrentIndex(coverLayer);
    return page;
}

void resetToFactory(MaintenanceContext &context)
{
    const std::optional<QString> typed =
        context.dialogs.input(QStringLiteral("请输入超级密码，超级密码不是设置密码！"),
                              QStringLiteral("您即将恢复出厂设置······"),
                              QStringLiteral("数据清空不可恢复，请谨慎！"), false);
    if (!typed) {
        return;
    }
    if (!isSuperPassword(*typed)) {
        warn(context.dialogs, QStringLiteral("密码错误，求你别试了！"));
        return;
    }
    if (!backUpFirst(context, *context.page.window())) {
        return;
    }
    // A reset is whole or not at all: whatever stopped it, the tables are
    // as they were and the program goes on.
    if (!factoryReset(context.folders).done()) {
        reportTableUnavailable(context.dialogs);
        return;
    }
    inform(context.dialogs, QStringLiteral("已恢复出厂设置，请重启本程序！"));
    context.page.window()->close();
}

} // namespace kucun
