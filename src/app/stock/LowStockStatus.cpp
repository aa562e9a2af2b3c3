#include "LowStockStatus.h"

#include "book/money/LowStock.h"

#include <QLabel>
#include <QMainWindow>
#include <QStatusBar>

namespace kucun {

void showModelsBelowMinimum(QWidget &inWindow, int count)
{
    auto *window = qobject_cast<QMainWindow *>(inWindow.window());
    if (!window) {
        return;
    }
    const QString name = QStringLiteral("标签状态最低库存");
    auto *label = window->statusBar()->findChild<QLabel *>(name);
    if (!label) {
        label = new QLabel;
        label->setObjectName(name);
        window->statusBar()->addPermanentWidget(label);
    }
    label->setText(count > 0 ? QStringLiteral("%1 个型号低于最低库存").arg(count) : QString());
}

void recountModelsBelowMinimum(QWidget &inWindow, const Book &book)
{
    if (const ReadResult<ReorderList> below = readReorderList(book)) {
        showModelsBelowMinimum(inWindow, int(below->lines.size()));
    }
}

} // namespace kucun
