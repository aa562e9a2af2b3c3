#include "ProgramIni.h"

#include <QDir>

namespace kucun {

QSettings programIni(const QString &programDir)
{
    return QSettings(QDir(programDir).filePath(QStringLiteral("kucun.ini")), QSettings::IniFormat);
}

} // namespace kucun
