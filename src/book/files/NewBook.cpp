#include "NewBook.h"

#include "OwnTables.h"
#include "book/settings/Settings.h"
#include "store/TableFiles.h"
#include "store/TableSchema.h"
#include "store/server/PgConnection.h"
#include "store/server/ServerSchema.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>

namespace kucun {

namespace {

// The look a new settings record starts with: lines 25 high rolling at
// speed 100, black text on white, the selected line a clear blue,
// RGB(0, 120, 215). Colours are Windows values, 0x00BBGGRR. The record the
// store creates is empty, which would draw black menus.
constexpr MenuLook readableLook{25, 100, 0xFFFFFF, 0x000000, 0xD77800};

// Table names in the order of tableFilePaths.
QStringList tableOrder()
{
    return {tables::品类, tables::名称, tables::型号, tables::明细, tables::设置};
}

void removeMadeFiles(const QStringList &paths)
{
    for (const QString &path : paths) {
        QFile::remove(path + QStringLiteral("-journal"));
        QFile::remove(path);
    }
}

} // namespace

QStringList tableFilePaths(const BookFolders &folders)
{
    QStringList paths;
    for (const QString &table : tableOrder()) {
        paths << Book(folders).pathOf(table);
    }
    return paths;
}

bool hasNoTableFiles(const BookFolders &folders)
{
    const QStringList paths = tableFilePaths(folders);
    return std::none_of(paths.begin(), paths.end(),
                        [](const QString &path) { return QFileInfo::exists(path); });
}

NewBookResult createNewBook(const BookFolders &folders)
{
    NewBookResult result;
    const QStringList paths = tableFilePaths(folders);
    // Refuse before writing anything, so that an existing table is never touched.
    for (const QString &path : paths) {
        if (QFileInfo::exists(path)) {
            result.error = QStringLiteral("表文件已存在，未做任何改动：%1").arg(path);
            return result;
        }
    }
    const QStringList names = tableOrder();
    for (qsizetype i = 0; i < paths.size(); ++i) {
        if (QFileInfo::exists(paths[i])) {
            // Made by someone else meanwhile: it is not ours to remove.
            result.error = QStringLiteral("表文件已存在：%1").arg(paths[i]);
            break;
        }
        result.created << paths[i];
        if (!createTableFile(paths[i], names[i], &result.error)) {
            break;
        }
    }
    if (result.error.isEmpty() && saveMenuLook(folders, readableLook) != SettingsOutcome::Done) {
        result.error =
            QStringLiteral("写入菜单外观失败：%1").arg(tables::settingsPath(folders.program));
    }
    if (!result.error.isEmpty()) {
        removeMadeFiles(result.created);
        result.created.clear();
        return result;
    }
    // The tables of our own; a book works on without them.
    result.created << createMissingOwnTables(Book(folders));
    result.done = true;
    return result;
}

NewBookResult createNewServerBook(const QString &conninfo)
{
    NewBookResult result;
    const auto connection = pg::Connection::open(conninfo, &result.error);
    if (!connection || !createServerBook(*connection, &result.error)) {
        result.error = QStringLiteral("无法在服务器上创建账本：%1").arg(result.error);
        return result;
    }
    BookFolders folders;
    folders.server = conninfo;
    if (saveMenuLook(folders, readableLook) != SettingsOutcome::Done) {
        result.error = QStringLiteral("写入菜单外观失败：%1").arg(connection->userAtHost());
        return result;
    }
    result.created << connection->userAtHost();
    result.done = true;
    return result;
}

} // namespace kucun
