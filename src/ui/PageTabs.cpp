#include "PageTabs.h"

#include <QEvent>

namespace kucun {

bool PageTabs::event(QEvent *event)
{
    if (event->type() == QEvent::LayoutRequest && isVisible()) {
        // The pages keep their place, which only a resize changes; the parent
        // learns that the size hints may have changed.
        updateGeometry();
        return true;
    }
    return QTabWidget::event(event);
}

} // namespace kucun
