#pragma once

#include <QColor>
#include <QWidget>
#include <vector>

class QScrollArea;
class QVBoxLayout;

namespace kucun {

class RollUpGroup;

// An accordion of groups (categories) that roll open to show their items.
// Each group is a header button with a list of its items below, so that
// keyboard and screen reader reach every line without custom code. One
// group is open at a time.
class RollUpMenu : public QWidget
{
    Q_OBJECT

public:
    explicit RollUpMenu(QWidget *parent = nullptr);
    ~RollUpMenu() override;

    void clear();
    // Adds a group at the end; returns its index.
    int addGroup(const QString &text);
    // Adds an item at the end of a group; returns its index, -1 for no such group.
    int addItem(int group, const QString &text);

    // A tip every group header shows, such as what a right click does.
    void setGroupToolTip(const QString &tip);

    int groupCount() const { return int(m_groups.size()); }
    int itemCount(int group) const;
    QString groupText(int group) const;
    QString itemText(int group, int item) const;

    // What the user last chose: -1 for none.
    int currentGroup() const { return m_currentGroup; }
    int currentItem() const { return m_currentItem; }
    // Makes a group current and rolls it open (no event is raised).
    void setCurrentGroup(int group);
    void setCurrentItem(int group, int item);

    // Hiding fails, and the group stays shown, when no other group would
    // remain shown. Hiding the current group makes another shown group current.
    bool hideGroup(int group);
    void showGroup(int group);
    bool isGroupHidden(int group) const;

    int itemHeight() const { return m_itemHeight; }
    void setItemHeight(int height);
    int scrollSpeed() const { return m_scrollSpeed; }
    void setScrollSpeed(int speed) { m_scrollSpeed = speed; }
    // An invalid colour leaves the look as it is.
    void setBackgroundColour(const QColor &colour) { setLookColour(m_background, colour); }
    void setTextColour(const QColor &colour) { setLookColour(m_text, colour); }
    void setSelectedColour(const QColor &colour) { setLookColour(m_selected, colour); }

    // Gestures a user makes; each raises the same event a click raises.
    void chooseGroup(int group);
    void chooseItem(int group, int item);
    void rightClickGroup(int group);

    // The header button and item list of a group, for tests and accessibility.
    QWidget *groupHeader(int group) const;
    QWidget *groupItemList(int group) const;

signals:
    void itemChosen(int group, int item);
    void groupChosen(int group);
    void groupRightClicked(int group);

private:
    friend class RollUpGroup;

    void rollOpen(int group);
    void applyLook();
    void setLookColour(QColor &part, const QColor &colour);
    RollUpGroup *groupAt(int group) const;
    // A group that exists and is not hidden.
    RollUpGroup *shownGroupAt(int group) const;
    // Milliseconds a group takes to roll open or closed; 0 rolls at once.
    int rollDuration() const;
    void clearSelections();
    // Scrolls the menu so that an item line of the open group is in view.
    void revealItem(int group, int item);

    QScrollArea *m_scrollArea = nullptr;
    QWidget *m_content = nullptr;
    QVBoxLayout *m_layout = nullptr;
    std::vector<RollUpGroup *> m_groups;
    int m_currentGroup = -1;
    int m_currentItem = -1;
    int m_openGroup = -1;
    int m_itemHeight = 25;
    int m_scrollSpeed = 100;
    QColor m_background = Qt::white;
    QColor m_text = Qt::black;
    QColor m_selected = QColor(0x33, 0x99, 0xff);
    QString m_groupToolTip;
};

} // namespace kucun
