#pragma once

#include "book/codes/ScanRecogniser.h"

#include <QList>
#include <QObject>
#include <QPointer>
#include <QTimer>
#include <memory>
#include <vector>

class QKeyEvent;
class QWidget;

namespace kucun {

// Recognises barcode scans typed into some areas of the program (a page, a
// window) wherever the focus is inside them, while they are shown. Installed
// on the application, it sees each key before any widget does.
//
// Printable keys are held back until it is known whose they are. Keys a
// person typed go on to the widget they were typed at, in their order, as
// soon as a pause shows it (another key or a key's release coming
// ScanRecogniser::gapMs later, a key that prints nothing, a click), and at
// the latest holdMs after the last one. The keys of a scan and the Enter
// ending it reach no widget: nothing is typed into the focused box and no
// default button is pressed.
class ScanKeyFilter : public QObject
{
    Q_OBJECT

public:
    // The longest a person's key waits; no scanner pauses so long.
    static constexpr int holdMs = 50;

    explicit ScanKeyFilter(QObject *parent = nullptr);
    ~ScanKeyFilter() override;

    // Scans typed inside the area, while it is shown, are recognised.
    void watch(QWidget *area);

signals:
    // A code was scanned inside the area.
    void scanned(QWidget *area, const QString &code);

protected:
    bool eventFilter(QObject *receiver, QEvent *event) override;

private:
    struct HeldKey
    {
        QPointer<QObject> receiver;
        std::unique_ptr<QKeyEvent> press;
        std::unique_ptr<QKeyEvent> release;
    };

    QWidget *areaOf(QObject *receiver) const;
    bool filterPress(QObject *receiver, QKeyEvent *key);
    bool filterRelease(QKeyEvent *key);
    // The keys held were typed: they go on, in order, to where they were typed.
    void sendHeldKeys();

    ScanRecogniser m_recogniser;
    QList<QPointer<QWidget>> m_areas;
    std::vector<HeldKey> m_held;
    QTimer m_holdTimeout;
    bool m_sending = false;
    // The release of the Enter that ended a scan goes nowhere either.
    bool m_enterOfScanDown = false;
};

} // namespace kucun
