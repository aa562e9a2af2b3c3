#pragma once

class QScreen;
class QSize;
class QWidget;

namespace kucun {

// Sizes a window that is not shown yet for the screen's available area: its
// preferred size where that fits, otherwise as large as fits and maximised,
// so that no part of it (a preview's page buttons) lies off screen.
void fitToScreen(QWidget &window, const QSize &preferred, const QScreen &screen);

} // namespace kucun
