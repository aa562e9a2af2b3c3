#include "ScanKeyFilter.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>
#include <algorithm>

namespace kucun {

namespace {

bool isEnter(const QKeyEvent &key)
{
    return (key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter) &&
           (key.modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
}

// A key that types text: a scanner sends letters with Shift, digits from
// the keypad. A held key repeating is a person's.
bool isPrintable(const QKeyEvent &key)
{
    const QString text = key.text();
    return !text.isEmpty() && !key.isAutoRepeat() &&
           !(key.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) &&
           std::all_of(text.cbegin(), text.cend(), [](QChar c) { return c.isPrint(); });
}

// Shift and the like, pressed on their own: a scanner presses Shift for
// each capital letter. They change nothing here.
bool isModifierOnly(const QKeyEvent &key)
{
    switch (key.key()) {
    case Qt::Key_Shift:
    case Qt::Key_Control:
    case Qt::Key_Alt:
    case Qt::Key_AltGr:
    case Qt::Key_Meta:
    case Qt::Key_CapsLock:
    case Qt::Key_NumLock:
        return true;
    default:
        return false;
    }
}

std::unique_ptr<QKeyEvent> copyOf(const QKeyEvent *key)
{
    return std::unique_ptr<QKeyEvent>(static_cast<QKeyEvent *>(key->clone()));
}

} // namespace

ScanKeyFilter::ScanKeyFilter(QObject *parent) : QObject(parent)
{
    m_holdTimeout.setSingleShot(true);
    m_holdTimeout.setInterval(holdMs);
    connect(&m_holdTimeout, &QTimer::timeout, this, [this] {
        m_recogniser.reset();
        sendHeldKeys();
    });
    QCoreApplication::instance()->installEventFilter(this);
}

ScanKeyFilter::~ScanKeyFilter()
{
    QCoreApplication::instance()->removeEventFilter(this);
}

void ScanKeyFilter::watch(QWidget *area)
{
    m_areas.append(area);
}

QWidget *ScanKeyFilter::areaOf(QObject *receiver) const
{
    auto *widget = static_cast<QWidget *>(receiver);
    for (const QPointer<QWidget> &area : m_areas) {
        // isAncestorOf stops at a window: a message box or a popup is no part of the area.
        if (area && area->isVisible() && (area == widget || area->isAncestorOf(widget))) {
            return area;
        }
    }
    return nullptr;
}

bool ScanKeyFilter::eventFilter(QObject *receiver, QEvent *event)
{
    if (m_sending) {
        return false;
    }
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
        // A click may move the focus: what was typed before it lands first.
        m_recogniser.reset();
        sendHeldKeys();
        return false;
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
        // A key goes to the window first, then to its focused widget: only
        // the widget's turn counts.
        if (!receiver->isWidgetType() || isModifierOnly(*static_cast<QKeyEvent *>(event))) {
            return false;
        }
        return event->type() == QEvent::KeyPress
                   ? filterPress(receiver, static_cast<QKeyEvent *>(event))
                   : filterRelease(static_cast<QKeyEvent *>(event));
    default:
        return false;
    }
}

bool ScanKeyFilter::filterPress(QObject *receiver, QKeyEvent *key)
{
    const qint64 ms = qint64(key->timestamp());
    QWidget *area = areaOf(receiver);
    if (area && isEnter(*key)) {
        const std::optional<QString> code = m_recogniser.enter(ms);
        if (!code) {
            sendHeldKeys();
            return false;
        }
        m_holdTimeout.stop();
        m_held.clear();
        m_enterOfScanDown = true;
        emit scanned(area, *code);
        return true;
    }
    if (area && isPrintable(*key)) {
        if (m_recogniser.key(ms, key->text())) {
            sendHeldKeys();
        }
        m_held.push_back({receiver, copyOf(key), nullptr});
        m_holdTimeout.start();
        return true;
    }
    m_recogniser.reset();
    sendHeldKeys();
    return false;
}

bool ScanKeyFilter::filterRelease(QKeyEvent *key)
{
    if (m_enterOfScanDown && isEnter(*key)) {
        m_enterOfScanDown = false;
        return true;
    }
    if (m_recogniser.pauseSeen(qint64(key->timestamp()))) {
        sendHeldKeys();
        return false;
    }
    // The release of a key held goes with it.
    for (HeldKey &held : m_held) {
        if (!held.release && held.press->key() == key->key()) {
            held.release = copyOf(key);
            return true;
        }
    }
    return false;
}

void ScanKeyFilter::sendHeldKeys()
{
    m_holdTimeout.stop();
    const std::vector<HeldKey> held = std::move(m_held);
    m_held.clear();
    m_sending = true;
    for (const HeldKey &key : held) {
        if (key.receiver) {
            QCoreApplication::sendEvent(key.receiver, key.press.get());
        }
        if (key.receiver && key.release) {
            QCoreApplication::sendEvent(key.receiver, key.release.get());
        }
    }
    m_sending = false;
}

} // namespace kucun
