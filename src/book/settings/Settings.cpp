#include "Settings.h"

#include "store/Table.h"
#include "store/TableSchema.h"

#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <cmath>
#include <limits>

namespace kucun {

namespace {

// A stored number as a 32-bit integer, the fraction cut toward zero.
qint32 toInt32(double value)
{
    if (std::isnan(value)) {
        return 0;
    }
    constexpr double lowest = std::numeric_limits<qint32>::min();
    constexpr double highest = std::numeric_limits<qint32>::max();
    return qint32(std::trunc(std::clamp(value, lowest, highest)));
}

Outcome<SettingsOutcome> modifySettings(const Book &book, const QVariantList &values)
{
    Table settings;
    if (!book.open(settings, tables::设置) || !settings.modify(values)) {
        return settings.fault();
    }
    return SettingsOutcome::Done;
}

} // namespace

ReadResult<Settings> readSettings(const Book &book)
{
    Table table;
    if (!book.open(table, tables::设置)) {
        return table.fault();
    }
    // Opening checked the fields' types, so an empty table with a wrong
    // field is found out too.
    Settings settings;
    settings.passwords.password = table.text(fields::密码);
    settings.passwords.atLogin = table.logical(fields::登陆密码);
    settings.passwords.beforeLog = table.logical(fields::日志密码);
    settings.passwords.beforeStock = table.logical(fields::库存密码);
    settings.look.itemHeight = toInt32(table.number(fields::菜单高度));
    settings.look.scrollSpeed = toInt32(table.number(fields::滚动速度));
    settings.look.background = toInt32(table.number(fields::背景颜色));
    settings.look.text = toInt32(table.number(fields::文本颜色));
    settings.look.selected = toInt32(table.number(fields::选中颜色));
    return settings;
}

bool isLocked(const Book &book)
{
    if (book.isOnServer()) {
        // A server book is locked when its settings record is gone.
        Table table;
        return book.open(table, tables::设置) && table.recordCount() == 0;
    }
    return !QFileInfo::exists(book.pathOf(tables::设置));
}

Outcome<SettingsOutcome> savePasswordSettings(const Book &book, const PasswordSettings &settings)
{
    return modifySettings(
        book, {settings.password, settings.atLogin, settings.beforeLog, settings.beforeStock});
}

Outcome<SettingsOutcome> saveMenuLook(const Book &book, const MenuLook &look)
{
    return modifySettings(book, {QVariant(), QVariant(), QVariant(), QVariant(), look.itemHeight,
                                 look.scrollSpeed, look.background, look.text, look.selected});
}

bool passwordMatches(const QString &typed, const QString &password)
{
    return typed == password;
}

bool loginRequired(const PasswordSettings &settings)
{
    return !settings.password.isEmpty() && settings.atLogin;
}

bool pageAsksPassword(int page, const PasswordSettings &settings)
{
    switch (page) {
    case 1:
        return settings.beforeLog;
    case 2:
        return settings.beforeStock;
    case 3:
        return !settings.password.isEmpty();
    default:
        return false;
    }
}

bool LoginLockOut::countFailure()
{
    ++m_failures;
    if (m_failures != allowedFailures) {
        return false;
    }
    if (m_book.isOnServer()) {
        // The server's settings table stays; its one record goes, for every computer.
        Table table;
        return m_book.open(table, tables::设置) &&
               table.removeMatching(tables::设置, RecordFilter::all());
    }
    return QFile::remove(m_book.pathOf(tables::设置));
}

bool isSuperPassword(const QString &typed)
{
    return typed == QStringLiteral("kx7Tq2mWv9pLr4");
}

Outcome<SettingsOutcome> factoryReset(const Book &book)
{
    // 设置 carries the four data tables, joined to it, so that the reset is
    // one transaction across the five files.
    Table table;
    if (!book.open(table, tables::设置)) {
        return table.fault();
    }
    const QStringList data{tables::品类, tables::名称, tables::型号, tables::明细};
    for (const QString &name : data) {
        if (!book.attach(table, name)) {
            return table.fault();
        }
    }
    // The prices go with the goods, in the same transaction, where the
    // tables of our own can be joined.
    book.attachOwn(table, tables::ownTableNames());
    if (!table.beginTransaction()) {
        return table.fault();
    }
    bool ok = table.removeMatching(tables::设置, RecordFilter::all()) && table.append({});
    for (const QString &name : data + tables::ownTableNames()) {
        ok = ok && (!table.holds(name) || table.removeMatching(name, RecordFilter::all()));
    }
    if (!ok || !table.commit()) {
        const StoreFault fault = table.fault();
        table.rollback();
        return fault;
    }
    return SettingsOutcome::Done;
}

} // namespace kucun
