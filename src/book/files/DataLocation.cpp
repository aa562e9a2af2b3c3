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
    location.dataDir = location.installed ? sources.userDataDir : sources.workingDir;
    location.programDir = location.installed ? sources.userDataDir : sources.executableDir;
    if (!sources.dataOverride.isEmpty()) {
        location.dataDir = sources.dataOverride;
    }
    if (!sources.programOverride.isEmpty()) {
        location.programDir = sources.programOverride;
    }
    location.dataDir = QDir(location.dataDir).absolutePath();
    location.programDir = QDir(location.programDir).absolutePath();
    location.exportDir = location.installed && !sources.documentsDir.isEmpty()
                             ? QDir(sources.documentsDir).absolutePath()
                             : location.programDir;
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
