#pragma once

#include "book/Outcome.h"
#include "book/ReadResult.h"
#include "book/files/Book.h"

#include <QString>

namespace kucun {

// The password part of the settings record: the one password and where it
// is asked. Read once per start; a save takes effect at the next start.
struct PasswordSettings
{
    // Empty means no password anywhere.
    QString password;
    bool atLogin = false;     // 登陆密码: asked at start-up
    bool beforeLog = false;   // 日志密码: asked before the page "日志查询"
    bool beforeStock = false; // 库存密码: asked before the page "库存报表"
};

// The look of both roll-up menus. Colours are Windows colour values,
// 0x00BBGGRR.
struct MenuLook
{
    qint32 itemHeight = 0;
    qint32 scrollSpeed = 0;
    qint32 background = 0;
    qint32 text = 0;
    qint32 selected = 0;
};

// The one record of the settings table 设置.
struct Settings
{
    PasswordSettings passwords;
    MenuLook look;
};

// Reads the record that is current right after opening 设置 in the program
// directory. Nothing when the table can't be opened: missing (the locked
// state), a wrong key, no table; or, with the fault WrongLayout, when 密码
// is not text, a flag not logical, a number not numeric or a field missing.
// Numbers of any numeric type become 32-bit integers, fractions cut toward
// zero.
ReadResult<Settings> readSettings(const Book &book);
// The locked state: the settings file is gone (the third wrong login deleted
// it). A file that is there but can't be read now (held by another program,
// damaged) is not: the owner must not be told to replace it.
bool isLocked(const Book &book);

// A save of the settings is done or stopped by its table's fault.
enum class SettingsOutcome
{
    Done,
};

// Writes 密码 and the three flags into the current record; the look stays.
Outcome<SettingsOutcome> savePasswordSettings(const Book &book, const PasswordSettings &settings);
// Writes the five look fields into the current record; 密码 and the flags stay.
Outcome<SettingsOutcome> saveMenuLook(const Book &book, const MenuLook &look);

// Byte-for-byte equality: spaces and letter case count.
bool passwordMatches(const QString &typed, const QString &password);
// A login is asked when there is a password and 登陆密码 is set.
bool loginRequired(const PasswordSettings &settings);
// Whether selecting this page of the tab control asks the password: page 3
// when there is a password, page 2 on 库存密码 and page 1 on 日志密码 alone
// (even with no password); page 0 never.
bool pageAsksPassword(int page, const PasswordSettings &settings);

// The wrong login entries of one run. The third deletes the settings file,
// which locks the program for good.
class LoginLockOut
{
public:
    static constexpr int allowedFailures = 3;

    explicit LoginLockOut(Book book) : m_book(std::move(book)) {}

    int failures() const { return m_failures; }
    // Counts one wrong entry. True when it was the third and the settings
    // file is gone; a file that can't be deleted locks nothing, and the
    // count goes on past three.
    bool countFailure();

private:
    Book m_book;
    int m_failures = 0;
};

// The fixed super password of the factory reset.
bool isSuperPassword(const QString &typed);

// Empties 设置, 品类, 名称, 型号 and 明细 (the settings table in the program
// folder, the others in the data folder) and gives 设置 one record
// of empty fields, in one transaction across the five files: all of them
// or, when any can't be opened or written, none, so that the stock never
// outlives its log or the log its stock. 型号资料 and 明细金额 are emptied in
// the same transaction where they can be joined.
Outcome<SettingsOutcome> factoryReset(const Book &book);

} // namespace kucun
