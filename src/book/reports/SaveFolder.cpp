#include "SaveFolder.h"

#include "book/settings/ProgramIni.h"

#include <QDir>
#include <QStandardPaths>

namespace kucun {

namespace {

const QString lastFolderKey = QStringLiteral("save/lastFolder");

} // namespace

QString saveFolder(const QString &programDir)
{
    const QString last = programIni(programDir).value(lastFolderKey).toString();
    if (!last.isEmpty() && QDir(last).exists()) {
        return last;
    }
    return QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
}

void rememberSaveFolder(const QString &programDir, const QString &folder)
{
    // Writing the file costs a flush to disk; saving to the same folder
    // again leaves it alone.
    QSettings ini = programIni(programDir);
    if (ini.value(lastFolderKey).toString() != folder) {
        ini.setValue(lastFolderKey, folder);
    }
}

} // namespace kucun
