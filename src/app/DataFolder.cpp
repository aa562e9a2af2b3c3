#include "DataFolder.h"

#include "book/files/NewBook.h"
#include "book/files/ServerBook.h"
#include "book/files/Welcome.h"
#include "ui/Dialogs.h"

#include <QDir>
#include <QFileInfo>

namespace kucun {

namespace {

std::nullopt_t refuse(Dialogs &dialogs, const QString &text)
{
    dialogs.message(text, QStringLiteral("库存管理系统"), Dialogs::Error, Dialogs::Buttons::Ok);
    return std::nullopt;
}

// Logs in to the server book, asking the password until the server takes it.
// The connection string to use, with the password typed (kept in memory
// only), or nothing after telling why the program can't start on it.
std::optional<QString> logInToServer(Dialogs &dialogs, const QString &server, QString *serverLogin)
{
    QString conninfo = server;
    for (;;) {
        const ServerReach reach = reachServerBook(conninfo);
        switch (reach.kind) {
        case ServerReach::Reached:
            *serverLogin = reach.detail;
            return conninfo;
        case ServerReach::NoBook:
            return refuse(dialogs, QStringLiteral("服务器上的数据库中还没有账本，"
                                                  "请先用 kucun-init --server 创建。"));
        case ServerReach::Refused:
            if (conninfo == server) {
                return refuse(dialogs, QStringLiteral("无法连接数据库服务器：") + reach.detail);
            }
            // A typed password the server refused: tell why, then ask again.
            dialogs.message(QStringLiteral("无法连接数据库服务器：") + reach.detail,
                            QStringLiteral("库存管理系统"), Dialogs::Error, Dialogs::Buttons::Ok);
            [[fallthrough]];
        case ServerReach::WantsPassword: {
            const std::optional<QString> typed =
                dialogs.input(QStringLiteral("请输入数据库密码"), QStringLiteral("库存管理系统"),
                              QString(), true);
            if (!typed) {
                return std::nullopt;
            }
            conninfo = withPassword(server, *typed);
            break;
        }
        }
    }
}

} // namespace

std::optional<DataLocation> openDataFolder(Dialogs &dialogs, const QStringList &arguments)
{
    DataLocation where = chooseDataLocation(locationSourcesOfThisProcess());
    if (where.installed) {
        for (const QString &folder : {where.folders.data, where.folders.program}) {
            if (!QDir().mkpath(folder)) {
                return refuse(dialogs, QStringLiteral("无法创建数据文件夹：%1").arg(folder));
            }
        }
    }
    // The folder must be there and open to the program, as a working
    // directory would have to be.
    const QFileInfo data(where.folders.data);
    if (!data.isDir() || !data.isExecutable()) {
        return refuse(dialogs, QStringLiteral("无法打开数据文件夹：%1").arg(where.folders.data));
    }
    const QString server = chosenServer(arguments, where.folders.program);
    if (!server.isEmpty()) {
        const std::optional<QString> conninfo = logInToServer(dialogs, server, &where.serverLogin);
        if (!conninfo) {
            return std::nullopt;
        }
        where.folders.server = *conninfo;
        return where;
    }
    // A portable copy never makes tables: scripts/run and kucun-init do.
    if (where.installed && hasNoTableFiles(where.folders)) {
        const NewBookResult made = createNewBook(where.folders);
        if (!made.done) {
            return refuse(dialogs, QStringLiteral("无法创建数据文件：\n%1").arg(made.error));
        }
        markWelcomeDue(where.folders);
    }
    return where;
}

} // namespace kucun
