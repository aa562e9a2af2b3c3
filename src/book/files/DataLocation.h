#pragma once

#include "BookFolders.h"

#include <QString>

namespace kucun {

// Where the program keeps its files.
struct DataLocation
{
    // The data folder (the four data tables and, by default, the backups)
    // and the program's folder (设置.edb and kucun.ini), absolute.
    BookFolders folders;
    // Where 导出表格 writes its file: the user's documents folder for an
    // installed program, the program's folder for a portable copy.
    QString exportDir;
    // No portable marker beside the executable: the program is installed,
    // and its first start may make a new, empty set of tables.
    bool installed = false;
    // For a book kept on a server: the login and the server, "shop@192.168.1.10".
    QString serverLogin;
};

// What the location is chosen from.
struct LocationSources
{
    QString executableDir;
    QString workingDir;
    // The user's data folder (~/.local/share/kucun).
    QString userDataDir;
    // The user's documents folder (QStandardPaths::DocumentsLocation).
    QString documentsDir;
    // KUCUN_DATA and KUCUN_PROGRAM; empty when not set.
    QString dataOverride;
    QString programOverride;
};

// The file beside the executable that keeps a portable copy's files where
// they always were: the data tables in the working directory, the settings
// file beside the executable.
inline const QString portableMarker = QStringLiteral("portable");

// A portable copy keeps the working directory and the executable's
// directory; an installed one keeps both in the user's data folder.
// KUCUN_DATA and KUCUN_PROGRAM override either way.
DataLocation chooseDataLocation(const LocationSources &sources);

// The sources of this process: its executable, working directory,
// environment, QStandardPaths::AppDataLocation and DocumentsLocation.
LocationSources locationSourcesOfThisProcess();

} // namespace kucun
