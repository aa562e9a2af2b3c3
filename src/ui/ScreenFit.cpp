#include "ScreenFit.h"

#include <QScreen>
#include <QWidget>

namespace kucun {

void fitToScreen(QWidget &window, const QSize &preferred, const QScreen &screen)
{
    const QSize available = screen.availableGeometry().size();
    window.resize(preferred.boundedTo(available));
    if (available.width() < preferred.width() || available.height() < preferred.height()) {
        window.setWindowState(window.windowState() | Qt::WindowMaximized);
    }
}

} // namespace kucun
