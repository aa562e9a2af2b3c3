#pragma once

#include <QString>

namespace kucun {

// The folder a save dialog starts in: the one a list was last saved to,
// while it is there, else the user's documents folder (made when missing),
// never the data folder. It is kept in
// "kucun.ini" in the program's directory.
QString saveFolder(const QString &programDir);
void rememberSaveFolder(const QString &programDir, const QString &folder);

} // namespace kucun
