#include "ScanRecogniser.h"

namespace kucun {

bool ScanRecogniser::soonAfterLast(qint64 ms) const
{
    // A clock that went back (it wraps on some systems) proves nothing: a pause.
    return m_keys > 0 && ms >= m_last && ms - m_last < gapMs;
}

bool ScanRecogniser::key(qint64 ms, const QString &text)
{
    const bool starts = !soonAfterLast(ms);
    if (starts) {
        reset();
    }
    m_code += text;
    ++m_keys;
    m_last = ms;
    return starts;
}

std::optional<QString> ScanRecogniser::enter(qint64 ms)
{
    const bool scan = soonAfterLast(ms) && m_keys >= minimumKeys;
    const QString code = m_code;
    reset();
    return scan ? std::optional(code) : std::nullopt;
}

bool ScanRecogniser::pauseSeen(qint64 ms)
{
    if (m_keys == 0 || soonAfterLast(ms)) {
        return false;
    }
    reset();
    return true;
}

void ScanRecogniser::reset()
{
    m_code.clear();
    m_keys = 0;
}

} // namespace kucun
