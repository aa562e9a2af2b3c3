#pragma once

#include <QString>
#include <QtGlobal>
#include <optional>

namespace kucun {

// Tells a barcode scanner from a person at the keyboard. A scanner in
// keyboard mode types its code and Enter far faster than anyone types: a
// scan is a run of at least minimumKeys printable keys, each less than gapMs
// after the one before, ended by Enter as soon again. Fed the time of each
// key (milliseconds of the window system's clock, as the key events carry
// them), it says when a run ends and whether it was a scan.
//
// Until a run ends nobody can tell whose keys they are: the caller holds
// them back. A run that ends otherwise than as a scan was typed by a person,
// and its keys go where they were typed, in their order; the keys of a scan
// are its code and go nowhere else.
class ScanRecogniser
{
public:
    // Keys further apart than this are a person's: no scanner pauses so long.
    static constexpr qint64 gapMs = 30;
    // Fewer keys before Enter are a person's too: no code is that short.
    static constexpr int minimumKeys = 4;

    // A printable key at `ms`. True when it starts a new run: the keys held
    // before it, if any, ended with the pause before it and were typed.
    bool key(qint64 ms, const QString &text);
    // Enter at `ms`: the code when it ends a scan; nothing when the keys
    // held were typed. The run ends either way.
    std::optional<QString> enter(qint64 ms);
    // Any other event at `ms` (a key released, a key that prints nothing):
    // true when it shows that the run before it ended, its keys typed.
    // Events come in the order they happened, so one that comes gapMs after
    // the last key proves that no next key came soon enough.
    bool pauseSeen(qint64 ms);
    // The run ends as typed: another key, a click, the time ran out.
    void reset();

    // Keys in the run so far.
    int keys() const { return m_keys; }

private:
    bool soonAfterLast(qint64 ms) const;

    QString m_code;
    int m_keys = 0;
    qint64 m_last = 0;
};

} // namespace kucun
