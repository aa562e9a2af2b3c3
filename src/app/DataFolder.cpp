#include "DataFolder.h"

#include "book/files/NewBook.h"
#include "book/files/Welcome.h"
#include "ui/Dialogs.h"

#include <QDir>

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
        for (const QString &folder : {where.dataDir, where.programDir}) {
            if (!QDir().mkpath(folder)) {
                return refuse(dialogs, QStringLiteral("无法创建数据文件夹：%1").arg(folder));
            }
        }
    }
    if (!QDir::setCurrent(where.dataDir)) {
        return refuse(dialogs, QStringLiteral("无法打开数据文件夹：%1").arg(where.dataDir));
    }
    // A portable copy never makes tables: scripts/run and kucun-init do.
    if (where.installed && hasNoTableFiles(where.dataDir, where.programDir)) {
        const NewBookResult made = createNewBook(where.dataDir, where.programDir);
        if (!made.done) {
            return refuse(dialogs, QStringLiteral("无法创建数据文件：\n%1").arg(made.error));
        }
        markWelcomeDue(where.programDir);
    }
    return where;
}

} // namespace kucun
