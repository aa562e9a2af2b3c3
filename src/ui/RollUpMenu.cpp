#include "RollUpMenu.h"

#include "RollUpGroup.h"

#include <QCoreApplication>
#include <QEvent>
#include <QScrollArea>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

namespace kucun {

namespace {

// Rolling time is this many milliseconds divided by the scroll speed.
constexpr int RollTimeBySpeed = 12000;
constexpr int LongestRollMs = 400;

double relativeLuminance(const QColor &colour)
{
    const auto linear = [](double channel) {
        return channel <= 0.03928 ? channel / 12.92 : std::pow((channel + 0.055) / 1.055, 2.4);
    };
    const QColor rgb = colour.toRgb();
    return 0.2126 * linear(rgb.redF()) + 0.7152 * linear(rgb.greenF()) +
           0.0722 * linear(rgb.blueF());
}

// White or black, whichever reads better on the background.
QColor readableOn(const QColor &background)
{
    const double luminance = relativeLuminance(background);
    const double againstWhite = 1.05 / (luminance + 0.05);
    const double againstBlack = (luminance + 0.05) / 0.05;
    return againstWhite >= againstBlack ? QColor(Qt::white) : QColor(Qt::black);
}

// Headers are a shade of the background towards the text colour, so they stand
// apart from the item lines and the text stays readable on them.
QColor headerShade(const QColor &background, const QColor &text)
{
    constexpr double share = 0.12;
    const QColor b = background.toRgb();
    const QColor t = text.toRgb();
    return QColor::fromRgbF(float(b.redF() * (1 - share) + t.redF() * share),
                            float(b.greenF() * (1 - share) + t.greenF() * share),
                            float(b.blueF() * (1 - share) + t.blueF() * share));
}

} // namespace

RollUpMenu::RollUpMenu(QWidget *parent) : QWidget(parent)
{
    m_scrollArea = new QScrollArea(this);
    m_scrollArea->setFrameShape(QFrame::NoFrame);
    m_scrollArea->setWidgetResizable(true);
    m_scrollArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // Tab goes straight to the group headers.
    m_scrollArea->setFocusPolicy(Qt::NoFocus);

    m_content = new QWidget;
    m_content->setAutoFillBackground(true);
    m_layout = new QVBoxLayout(m_content);
    m_layout->setContentsMargins(0, 0, 0, 0);
    m_layout->setSpacing(0);
    m_layout->addStretch(1);
    m_scrollArea->setWidget(m_content);

    auto *outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(m_scrollArea);

    applyLook();
}

RollUpMenu::~RollUpMenu()
{
    // The widgets outlive this object's members while QWidget deletes its children.
    for (RollUpGroup *group : m_groups) {
        group->detach();
    }
}

void RollUpMenu::clear()
{
    for (RollUpGroup *group : m_groups) {
        group->detach();
        m_layout->removeWidget(group->header());
        m_layout->removeWidget(group->list());
        group->header()->hide();
        group->list()->hide();
        // Deleted later: a click on one of these widgets may be what led here.
        group->header()->deleteLater();
        group->list()->deleteLater();
        group->deleteLater();
    }
    m_groups.clear();
    m_currentGroup = -1;
    m_currentItem = -1;
    m_openGroup = -1;
}

int RollUpMenu::addGroup(const QString &text)
{
    const int index = int(m_groups.size());
    auto *group = new RollUpGroup(this, m_content, index, text, m_itemHeight);
    // Groups go above the stretch that keeps them at the top.
    m_layout->insertWidget(m_layout->count() - 1, group->header());
    m_layout->insertWidget(m_layout->count() - 1, group->list());
    group->header()->setToolTip(m_groupToolTip);
    group->header()->show();
    m_groups.push_back(group);
    return index;
}

void RollUpMenu::setGroupToolTip(const QString &tip)
{
    m_groupToolTip = tip;
    for (RollUpGroup *group : m_groups) {
        group->header()->setToolTip(tip);
    }
}

int RollUpMenu::addItem(int group, const QString &text)
{
    RollUpGroup *target = groupAt(group);
    return target ? target->addItem(text) : -1;
}

int RollUpMenu::itemCount(int group) const
{
    const RollUpGroup *target = groupAt(group);
    return target ? target->list()->count() : 0;
}

QString RollUpMenu::groupText(int group) const
{
    const RollUpGroup *target = groupAt(group);
    return target ? target->text() : QString();
}

QString RollUpMenu::itemText(int group, int item) const
{
    const RollUpGroup *target = groupAt(group);
    return target && item >= 0 && item < target->list()->count()
               ? target->list()->item(item)->text()
               : QString();
}

void RollUpMenu::setCurrentGroup(int group)
{
    // A hidden group is never current; no group at all clears the choice.
    const RollUpGroup *target = groupAt(group);
    if (target && target->isHidden()) {
        return;
    }
    m_currentGroup = target ? group : -1;
    m_currentItem = -1;
    rollOpen(m_currentGroup);
    clearSelections();
}

void RollUpMenu::setCurrentItem(int group, int item)
{
    if (group < 0 || item == -1) {
        setCurrentGroup(group);
        return;
    }
    RollUpGroup *target = shownGroupAt(group);
    if (!target || item < 0 || item >= target->list()->count()) {
        return;
    }
    m_currentGroup = group;
    m_currentItem = item;
    rollOpen(group);
    for (RollUpGroup *other : m_groups) {
        if (other != target) {
            other->list()->clearSelection();
        }
    }
    target->list()->setCurrentRow(item, QItemSelectionModel::ClearAndSelect);
    revealItem(group, item);
}

bool RollUpMenu::hideGroup(int group)
{
    RollUpGroup *target = shownGroupAt(group);
    if (!target) {
        return false;
    }
    int firstOther = -1;
    for (int i = 0; i < groupCount() && firstOther < 0; ++i) {
        if (i != group && !m_groups[size_t(i)]->isHidden()) {
            firstOther = i;
        }
    }
    if (firstOther < 0) {
        return false;
    }
    target->setHidden(true);
    if (m_openGroup == group) {
        m_openGroup = -1;
    }
    if (m_currentGroup == group) {
        setCurrentGroup(firstOther);
    }
    return true;
}

void RollUpMenu::showGroup(int group)
{
    RollUpGroup *target = groupAt(group);
    if (target && target->isHidden()) {
        target->setHidden(false);
    }
}

bool RollUpMenu::isGroupHidden(int group) const
{
    const RollUpGroup *target = groupAt(group);
    return target && target->isHidden();
}

void RollUpMenu::setItemHeight(int height)
{
    m_itemHeight = height > 0 ? height : DefaultLineHeight;
    applyLook();
}

void RollUpMenu::setLookColour(QColor &part, const QColor &colour)
{
    if (colour.isValid()) {
        part = colour;
        applyLook();
    }
}

void RollUpMenu::chooseGroup(int group)
{
    if (!shownGroupAt(group)) {
        return;
    }
    setCurrentGroup(group);
    emit groupChosen(group);
}

void RollUpMenu::chooseItem(int group, int item)
{
    if (!shownGroupAt(group) || item < 0 || item >= itemCount(group)) {
        return;
    }
    setCurrentItem(group, item);
    emit itemChosen(group, item);
}

void RollUpMenu::rightClickGroup(int group)
{
    if (!shownGroupAt(group)) {
        return;
    }
    emit groupRightClicked(group);
}

QWidget *RollUpMenu::groupHeader(int group) const
{
    const RollUpGroup *target = groupAt(group);
    return target ? target->header() : nullptr;
}

QWidget *RollUpMenu::groupItemList(int group) const
{
    const RollUpGroup *target = groupAt(group);
    return target ? target->list() : nullptr;
}

void RollUpMenu::rollOpen(int group)
{
    if (group == m_openGroup) {
        return;
    }
    const int duration = rollDuration();
    if (RollUpGroup *previous = groupAt(m_openGroup)) {
        previous->setOpen(false, duration);
    }
    if (RollUpGroup *next = groupAt(group)) {
        next->setOpen(true, duration);
        m_openGroup = group;
    } else {
        m_openGroup = -1;
    }
}

void RollUpMenu::applyLook()
{
    QPalette look = m_content->palette();
    look.setColor(QPalette::Window, m_background);
    look.setColor(QPalette::Base, m_background);
    look.setColor(QPalette::AlternateBase, m_background);
    look.setColor(QPalette::WindowText, m_text);
    look.setColor(QPalette::Text, m_text);
    look.setColor(QPalette::ButtonText, m_text);
    look.setColor(QPalette::Button, headerShade(m_background, m_text));
    look.setColor(QPalette::Highlight, m_selected);
    look.setColor(QPalette::HighlightedText, readableOn(m_selected));
    // Set on the content widget, the colours reach every header and list in it.
    m_content->setPalette(look);

    for (RollUpGroup *group : m_groups) {
        group->setLineHeight(m_itemHeight);
    }
}

RollUpGroup *RollUpMenu::groupAt(int group) const
{
    return group >= 0 && group < int(m_groups.size()) ? m_groups[size_t(group)] : nullptr;
}

RollUpGroup *RollUpMenu::shownGroupAt(int group) const
{
    RollUpGroup *target = groupAt(group);
    return target && !target->isHidden() ? target : nullptr;
}

int RollUpMenu::rollDuration() const
{
    // Nobody watches a hidden menu; roll at once.
    return m_scrollSpeed <= 0 || !isVisible()
               ? 0
               : std::clamp(RollTimeBySpeed / m_scrollSpeed, 0, LongestRollMs);
}

void RollUpMenu::clearSelections()
{
    for (RollUpGroup *group : m_groups) {
        group->list()->clearSelection();
    }
}

void RollUpMenu::revealItem(int group, int item)
{
    RollUpGroup *target = groupAt(group);
    if (!target || !target->isOpen() || !isVisible()) {
        return;
    }
    if (target->isRolling()) {
        target->revealWhenOpen(item);
        return;
    }
    // Bring the layout and the scroll area up to date first, so that the line's
    // place in the menu is known now rather than after pending layout events.
    m_layout->activate();
    QEvent layoutRequest(QEvent::LayoutRequest);
    QCoreApplication::sendEvent(m_scrollArea, &layoutRequest);

    RollUpList *list = target->list();
    const QRect line = list->visualRect(list->model()->index(item, 0));
    const QPoint centre = list->viewport()->mapTo(m_content, line.center());
    m_scrollArea->ensureVisible(centre.x(), centre.y(), 0, line.height() / 2 + 1);
}

} // namespace kucun
