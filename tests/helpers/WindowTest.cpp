#include "WindowTest.h"

#include <QCoreApplication>

namespace kucun::test {

std::unique_ptr<MainWindow> startMainWindow(Dialogs &dialogs, const QString &programDir)
{
    auto window = std::make_unique<MainWindow>(dialogs, programDir);
    QCoreApplication::processEvents();
    if (!window->hasStarted()) {
        qFatal("the main window did not start");
    }
    return window;
}

} // namespace kucun::test
