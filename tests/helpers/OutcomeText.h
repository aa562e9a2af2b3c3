#pragma once

#include "book/Outcome.h"

#include <QByteArray>

namespace kucun {

// An outcome of the stock book as a failed comparison shows it: its fault,
// else its own reason, by number.
template <typename Reason> char *toString(const Outcome<Reason> &outcome)
{
    const bool failed = outcome.fault() != StoreFault::None;
    const QByteArray text = failed ? "StoreFault " + QByteArray::number(int(outcome.fault().kind()))
                                   : "reason " + QByteArray::number(int(outcome.reason()));
    return qstrdup(text.constData());
}

} // namespace kucun
