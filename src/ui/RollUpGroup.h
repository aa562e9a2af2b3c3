#pragma once

#include <QListWidget>
#include <QObject>
#include <QPropertyAnimation>

class QToolButton;

namespace kucun {

class RollUpMenu;

// The line height of a menu that was given none.
constexpr int DefaultLineHeight = 25;

// The list of one group's items. It asks the layout for exactly the room its
// lines need, so the menu's scroll area scrolls and the list never does.
class RollUpList : public QListWidget
{
public:
    explicit RollUpList(QWidget *parent) : QListWidget(parent)
    {
        setFrameShape(QFrame::NoFrame);
        setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        setSelectionMode(QAbstractItemView::SingleSelection);
        setEditTriggers(QAbstractItemView::NoEditTriggers);
        setUniformItemSizes(true);
        setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    }

    int lineHeight() const { return m_lineHeight; }

    void setLineHeight(int height)
    {
        if (height == m_lineHeight) {
            return;
        }
        m_lineHeight = height;
        // Item rectangles are cached; lay the lines out again with the new height.
        scheduleDelayedItemsLayout();
        updateGeometry();
    }

    // The height that shows every line.
    int fullHeight() const { return count() * m_lineHeight + 2 * frameWidth(); }

    QSize sizeHint() const override { return {QListWidget::sizeHint().width(), fullHeight()}; }
    QSize minimumSizeHint() const override { return {QListWidget::minimumSizeHint().width(), 0}; }

private:
    int m_lineHeight = DefaultLineHeight;
};

// One group of the menu: its header button, its item list and the animation
// that rolls the list open and closed. It turns clicks and keys on its widgets
// into the menu's gestures.
class RollUpGroup : public QObject
{
public:
    // Its widgets are made in content, the menu's scrolled widget.
    RollUpGroup(RollUpMenu *menu, QWidget *content, int index, const QString &text, int lineHeight);

    QString text() const { return m_text; }
    QToolButton *header() const { return m_header; }
    RollUpList *list() const { return m_list; }
    bool isHidden() const { return m_hidden; }
    bool isOpen() const { return m_open; }
    bool isRolling() const { return m_roll->state() == QAbstractAnimation::Running; }

    int addItem(const QString &text);
    void setLineHeight(int height);
    void setOpen(bool open, int durationMs);
    void setHidden(bool hidden);
    // Scrolls to this item once the list has finished rolling open.
    void revealWhenOpen(int item) { m_pendingReveal = item; }
    // Cuts every tie to the menu, so nothing reaches it while the widgets go.
    void detach();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void fitOpenHeight();
    void rollFinished();

    RollUpMenu *m_menu;
    int m_index;
    QString m_text;
    QToolButton *m_header;
    RollUpList *m_list;
    QPropertyAnimation *m_roll;
    bool m_hidden = false;
    bool m_open = false;
    bool m_rightPressed = false;
    int m_pendingReveal = -1;
};

} // namespace kucun
