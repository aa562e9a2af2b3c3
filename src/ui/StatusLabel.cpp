#include "StatusLabel.h"

#include <QLabel>
#include <QMainWindow>
#include <QStatusBar>

namespace kucun {

QLabel *permanentStatusLabel(QWidget &inWindow, const QString &name)
{
    auto *window = qobject_cast<QMainWindow *>(inWindow.window());
    if (!window) {
        return nullptr;
    }
    auto *label = window->statusBar()->findChild<QLabel *>(name);
    if (!label) {
        label = new QLabel;
        label->setObjectName(name);
        window->statusBar()->addPermanentWidget(label);
    }
    return label;
}

} // namespace kucun
