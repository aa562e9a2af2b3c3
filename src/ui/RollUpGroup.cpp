#include "RollUpGroup.h"

#include "RollUpMenu.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPropertyAnimation>
#include <QStyle>
#include <QStyledItemDelegate>
#include <QToolButton>

namespace kucun {

namespace {

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

} // namespace

RollUpGroup::RollUpGroup(RollUpMenu *menu, QWidget *content, int index, const QString &text,
                         int lineHeight)
    : QObject(menu), m_menu(menu), m_index(index), m_text(text)
{
    m_header = new QToolButton(content);
    m_header->setText(buttonText(text));
    m_header->setAccessibleName(text);
    m_header->setCheckable(true);
    m_header->setFocusPolicy(Qt::StrongFocus);
    m_header->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    m_header->setArrowType(Qt::RightArrow);
    m_header->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    m_header->setFixedHeight(lineHeight);
    m_header->installEventFilter(this);

    m_list = new RollUpList(content);
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

} // namespace kucun
