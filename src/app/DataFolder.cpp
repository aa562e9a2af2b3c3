#include "DataFolder.h"

#include "book/files/NewBook.h"
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

} // namespace

std::optional<DataLocation> openDataFolder(Dialogs &dialogs)
{
    const DataLocation where = chooseDataLocation(locationSourcesOfThisProcess());
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
