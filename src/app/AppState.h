#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace kucun {

// The password settings as read at start-up; they stay as read until the
// program starts again.
struct SettingsInMemory
{
    QString password;
    bool askAtLogin = false;    // 登陆密码
    bool askForLog = false;     // 日志密码
    bool askForReports = false; // 库存密码
};

// State shared between the handlers of one main window.
struct AppState
{
    // One entry per 品类 record in table order; entry j is group j of both
    // roll-up menus.
    QStringList categories;
    // Rows of the log search list that are selected, in row order, kept as
    // the selection changes (deleting reads the list's selection itself).
    QList<qint32> selectedLogRows;
    // Per row of the log search list, the identity of the 明细 record it shows.
    QList<qint64> logResultRecords;
    // Groups of the booking page's roll-up menu that the user hid.
    QList<qint32> hiddenGroups;

    SettingsInMemory settings;
    int failedLogins = 0;
    int refusedPage = 0;
    // 1 after a keyword search of the log, 2 after a date search, 0 before any.
    int lastLogSearch = 0;
};

} // namespace kucun
