#include "LowStockStatus.h"

#include "book/money/LowStock.h"
#include "ui/StatusLabel.h"

#include <QLabel>

namespace kucun {

void showModelsBelowMinimum(QWidget &inWindow, int count)
{
    QLabel *label = permanentStatusLabel(inWindow, QStringLiteral("标签状态最低库存"));
    if (!label) {
        return;
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
