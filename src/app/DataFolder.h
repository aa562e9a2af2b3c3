#pragma once

#include "book/files/DataLocation.h"

#include <QStringList>
#include <optional>

namespace kucun {

class Dialogs;

// Before the main window: chooses where the files are (a portable copy,
// an installed program, KUCUN_DATA and KUCUN_PROGRAM), makes an installed
// program's folders and, when not one table file is there yet, an empty
// book without a password. A book on a server (`--server CONNINFO` among the
// arguments, or kucun.ini's "server") is logged in to instead, asking the
// database password when the server wants one. Returns the folders, or
// nothing after telling the owner why the program can't start.
std::optional<DataLocation> openDataFolder(Dialogs &dialogs, const QStringList &arguments);

} // namespace kucun
