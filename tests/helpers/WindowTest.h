#pragma once

#include "app/MainWindow.h"

#include <QWidget>

#include <memory>

namespace kucun {
class Dialogs;
}

namespace kucun::test {

// Builds the real main window and lets its start-up run.
std::unique_ptr<MainWindow> startMainWindow(Dialogs &dialogs, const QString &programDir);

// The named control of a window; fails the test when it is missing.
template <typename T>
T *control(const QWidget &window, const QString &name)
{
    T *found = window.findChild<T *>(name);
    if (!found) {
        qFatal("no control %s", qPrintable(name));
    }
    return found;
}

} // namespace kucun::test
