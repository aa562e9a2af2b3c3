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
    // Made when missing, so that the dialog does not fall back on the
    // process's working directory, the data folder of a portable copy.
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return QDir().mkpath(documents) ? documents : QDir::homePath();
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
