#include "RollUpMenu.h"

#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QListWidget>
#include <QMouseEvent>
#include <QPropertyAnimation>
#include <QScrollArea>
#include <QStyle>
#include <QStyledItemDelegate>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

namespace kucun {

namespace {

constexpr int DefaultLineHeight = 25;
// Rolling time is this many milliseconds divided by the scroll speed.
constexpr int RollTimeBySpeed = 12000;
constexpr int LongestRollMs = 400;

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

// Gives every line of a list the list's line height.
class LineDelegate : public QStyledItemDelegate
{
public:
    explicit LineDelegate(RollUpList *list) : QStyledItemDelegate(list), m_list(list) {}

    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        return {QStyledItemDelegate::sizeHint(option, index).width(), m_list->lineHeight()};
    }

private:
    RollUpList *m_list;
};

// A button text shows '&' literally instead of taking it as a mnemonic.
QString buttonText(QString text)
{
    return text.replace(QLatin1Char('&'), QStringLiteral("&&"));
}

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

// One group of the menu: its header button, its item list and the animation
// that rolls the list open and closed. It turns clicks and keys on its widgets
// into the menu's gestures.
class RollUpGroup : public QObject
{
public:
    RollUpGroup(RollUpMenu *menu, int index, const QString &text, int lineHeight);

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

RollUpGroup::RollUpGroup(RollUpMenu *menu, int index, const QString &text, int lineHeight)
    : QObject(menu), m_menu(menu), m_index(index), m_text(text)
{
    m_header = new QToolButton(menu->m_content);
    m_header->setText(buttonText(text));
    m_header->setAccessibleName(text);
    m_header->setCheckable(true);
    m_header->setFocusPolicy(Qt::StrongFocus);
    m_header->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    m_header->setArrowType(Qt::RightArrow);
    m_header->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    m_header->setFixedHeight(lineHeight);
    m_header->installEventFilter(this);

    m_list = new RollUpList(menu->m_content);
    m_list->setItemDelegate(new LineDelegate(m_list));
    m_list->setAccessibleName(text + QStringLiteral("的项目"));
    m_list->setLineHeight(lineHeight);
    m_list->setMaximumHeight(0);
    m_list->hide();

    m_roll = new QPropertyAnimation(m_list, "maximumHeight", m_list);
    m_roll->setEasingCurve(QEasingCurve::OutCubic);
    connect(m_roll, &QAbstractAnimation::finished, this, &RollUpGroup::rollFinished);

    connect(m_header, &QToolButton::clicked, this, [this] { m_menu->chooseGroup(m_index); });
    connect(m_list, &QAbstractItemView::clicked, this, [this](const QModelIndex &item) {
        // Styles that activate on a single click report the click as activation too.
        const bool clickActivates = m_list->style()->styleHint(
            QStyle::SH_ItemView_ActivateItemOnSingleClick, nullptr, m_list);
        if (!clickActivates) {
            m_menu->chooseItem(m_index, item.row());
        }
    });
    connect(m_list, &QAbstractItemView::activated, this,
            [this](const QModelIndex &item) { m_menu->chooseItem(m_index, item.row()); });
    connect(m_list, &QListWidget::currentRowChanged, this, [this](int row) {
        // Arrow keys move within the list; keep the line in view of the menu.
        if (m_list->hasFocus() && row >= 0) {
            m_menu->revealItem(m_index, row);
        }
    });
}

int RollUpGroup::addItem(const QString &text)
{
    m_list->addItem(text);
    if (m_open) {
        fitOpenHeight();
    }
    return m_list->count() - 1;
}

void RollUpGroup::setLineHeight(int height)
{
    m_header->setFixedHeight(height);
    m_list->setLineHeight(height);
    if (m_open) {
        fitOpenHeight();
    }
}

void RollUpGroup::setOpen(bool open, int durationMs)
{
    m_open = open;
    m_header->setChecked(open);
    m_header->setArrowType(open ? Qt::DownArrow : Qt::RightArrow);
    m_roll->stop();
    if (open) {
        m_list->show();
    } else {
        m_pendingReveal = -1;
        if (m_list->hasFocus()) {
            // Keyboard focus stays with the group rather than jumping elsewhere.
            m_header->setFocus();
        }
    }

    const int target = open ? m_list->fullHeight() : 0;
    if (durationMs <= 0 || m_list->maximumHeight() == target) {
        m_list->setMaximumHeight(target);
        m_list->setVisible(open);
        return;
    }
    m_roll->setDuration(durationMs);
    m_roll->setStartValue(m_list->maximumHeight());
    m_roll->setEndValue(target);
    m_roll->start();
}

void RollUpGroup::setHidden(bool hidden)
{
    m_hidden = hidden;
    if (hidden) {
        m_list->clearSelection();
        setOpen(false, 0);
    }
    m_header->setVisible(!hidden);
}

void RollUpGroup::fitOpenHeight()
{
    const int target = m_list->fullHeight();
    if (isRolling()) {
        m_roll->setEndValue(target);
    } else {
        m_list->setMaximumHeight(target);
    }
    m_list->updateGeometry();
}

void RollUpGroup::rollFinished()
{
    if (!m_open) {
        m_list->hide();
        return;
    }
    if (m_pendingReveal >= 0) {
        const int item = m_pendingReveal;
        m_pendingReveal = -1;
        m_menu->revealItem(m_index, item);
    }
}

void RollUpGroup::detach()
{
    m_roll->stop();
    m_header->removeEventFilter(this);
    m_header->disconnect(this);
    m_list->disconnect(this);
    m_roll->disconnect(this);
}

bool RollUpGroup::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != m_header) {
        return false;
    }
    switch (event->type()) {
    case QEvent::KeyPress: {
        const auto *key = static_cast<QKeyEvent *>(event);
        const Qt::KeyboardModifiers modifiers = key->modifiers() & ~Qt::KeypadModifier;
        if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) &&
            modifiers == Qt::NoModifier) {
            m_menu->chooseGroup(m_index);
            return true;
        }
        if (key->key() == Qt::Key_Menu ||
            (key->key() == Qt::Key_F10 && modifiers == Qt::ShiftModifier)) {
            m_menu->rightClickGroup(m_index);
            return true;
        }
        return false;
    }
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
        if (static_cast<QMouseEvent *>(event)->button() == Qt::RightButton) {
            m_rightPressed = true;
            return true;
        }
        return false;
    case QEvent::MouseButtonRelease: {
        const auto *mouse = static_cast<QMouseEvent *>(event);
        if (mouse->button() != Qt::RightButton) {
            return false;
        }
        const bool clicked =
            m_rightPressed && m_header->rect().contains(mouse->position().toPoint());
        m_rightPressed = false;
        if (clicked) {
            m_menu->rightClickGroup(m_index);
        }
        return true;
    }
    case QEvent::ContextMenu:
        // The window system follows a right click or the menu key with a context
        // menu event; those are answered above already. Others come from
        // assistive technology asking for the group's menu.
        if (!event->spontaneous()) {
            m_menu->rightClickGroup(m_index);
        }
        return true;
    default:
        return false;
    }
}

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
    auto *group = new RollUpGroup(this, index, text, m_itemHeight);
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

int RollUpMenu::groupCount() const
{
    return int(m_groups.size());
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
    if (!target || item < 0 || item >= target->list()->count()) {
        return QString();
    }
    return target->list()->item(item)->text();
}

void RollUpMenu::setCurrentGroup(int group)
{
    if (!groupAt(group)) {
        m_currentGroup = -1;
        m_currentItem = -1;
        rollOpen(-1);
        clearSelections();
        return;
    }
    if (!shownGroupAt(group)) {
        return;
    }
    m_currentGroup = group;
    m_currentItem = -1;
    rollOpen(group);
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

bool RollUpMenu::isGroupOpen(int group) const
{
    const RollUpGroup *target = groupAt(group);
    return target && target->isOpen();
}

void RollUpMenu::setItemHeight(int height)
{
    m_itemHeight = height > 0 ? height : DefaultLineHeight;
    applyLook();
}

void RollUpMenu::setScrollSpeed(int speed)
{
    m_scrollSpeed = speed;
}

void RollUpMenu::setBackgroundColour(const QColor &colour)
{
    if (colour.isValid()) {
        m_background = colour;
        applyLook();
    }
}

void RollUpMenu::setTextColour(const QColor &colour)
{
    if (colour.isValid()) {
        m_text = colour;
        applyLook();
    }
}

void RollUpMenu::setSelectedColour(const QColor &colour)
{
    if (colour.isValid()) {
        m_selected = colour;
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
    if (group < 0 || group >= int(m_groups.size())) {
        return nullptr;
    }
    return m_groups[size_t(group)];
}

RollUpGroup *RollUpMenu::shownGroupAt(int group) const
{
    RollUpGroup *target = groupAt(group);
    return target && !target->isHidden() ? target : nullptr;
}

int RollUpMenu::rollDuration() const
{
    // Nobody watches a hidden menu; roll at once.
    if (m_scrollSpeed <= 0 || !isVisible()) {
        return 0;
    }
    return std::clamp(RollTimeBySpeed / m_scrollSpeed, 0, LongestRollMs);
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
