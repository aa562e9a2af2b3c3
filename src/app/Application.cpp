#include "Application.h"

#include <QApplication>
#include <QDir>
#include <QIcon>
#include <QImageReader>

namespace kucun {

namespace {

// Every size of the icon built into the program (":/icons/<size>.png").
QIcon programIcon()
{
    QIcon icon;
    const QDir sizes(QStringLiteral(":/icons"));
    for (const QString &name : sizes.entryList({QStringLiteral("*.png")}, QDir::Files)) {
        const QString path = sizes.filePath(name);
        icon.addFile(path, QImageReader(path).size());
    }
    return icon;
}

} // namespace

void identifyApplication()
{
    QCoreApplication::setApplicationName(QStringLiteral("kucun"));
    // The entry is installed as <id>.desktop; Wayland and X11 docks match windows by it.
    QGuiApplication::setDesktopFileName(QStringLiteral(KUCUN_APP_ID));
    QApplication::setWindowIcon(programIcon());
}

} // namespace kucun
