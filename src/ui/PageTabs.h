#pragma once

#include <QTabWidget>

namespace kucun {

// A tab widget that does not repaint every page when a size hint inside
// changes. QTabWidget answers each layout request, which any new text in
// any label raises, by repainting itself whole; with the pages nested in
// each other that repainted the entire window after every change of a list
// total. Resizing and showing still lay the tabs out as QTabWidget does.
class PageTabs : public QTabWidget
{
public:
    using QTabWidget::QTabWidget;

protected:
    bool event(QEvent *event) override;
};

} // namespace kucun
