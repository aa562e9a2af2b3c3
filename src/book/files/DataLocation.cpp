#include "DataLocation.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace kucun {

DataLocation chooseDataLocation(const LocationSources &sources)
{
    DataLocation location;
    location.installed = !QFileInfo::exists(QDir(sources.executableDir).filePath(portableMarker));
    QString data = location.installed ? sources.userDataDir : sources.workingDir;
    QString program = location.installed ? sources.userDataDir : sources.executableDir;
    if (!sources.dataOverride.isEmpty()) {
        data = sources.dataOverride;
    }
    if (!sources.programOverride.isEmpty()) {
        program = sources.programOverride;
    }
    location.folders = bookFoldersAt(QDir(data).absolutePath(), QDir(program).absolutePath());
    location.exportDir = location.installed && !sources.documentsDir.isEmpty()
                             ? QDir(sources.documentsDir).absolutePath()
                             : location.folders.program;
    return location;
}

LocationSources locationSourcesOfThisProcess()
{
    return {QCoreApplication::applicationDirPath(),
            QDir::currentPath(),
            QStandardPaths::writableLocation(QStandardPaths::AppDataLocation),
            QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation),
            qEnvironmentVariable("KUCUN_DATA"),
            qEnvironmentVariable("KUCUN_PROGRAM")};
}

} // namespace kucun
