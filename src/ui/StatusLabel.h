#pragma once

#include <QString>

class QLabel;
class QWidget;

namespace kucun {

// The label of that object name kept at the right of the status bar of the
// widget's main window, made the first time it is asked for; none when the
// widget is in no main window. Other status messages leave it alone.
QLabel *permanentStatusLabel(QWidget &inWindow, const QString &name);

} // namespace kucun
