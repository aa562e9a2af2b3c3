#pragma once

#include <QSettings>
#include <QString>

namespace kucun {

// "kucun.ini" in the program's directory: what the program keeps besides
// the five tables, whose fields are fixed.
QSettings programIni(const QString &programDir);

} // namespace kucun
