#pragma once

#include "store/StoreFault.h"

namespace kucun {

// What a write of the stock book came to: done, one of the operation's own
// reasons (Reason, an enum whose first value is the done one), or the fault
// of a table it could not use. A write that failed on a table whose fault is
// None failed to write.
template <typename Reason> class Outcome
{
public:
    Outcome(Reason reason) : m_reason(reason) {}
    Outcome(StoreFault fault) : m_fault(fault == StoreFault::None ? StoreFault::WriteFailed : fault)
    {
    }
    Outcome(StoreFault::Kind fault) : Outcome(StoreFault(fault)) {}

    bool done() const { return *this == Reason{}; }
    // The fault of the table that stopped the write; None when it did not.
    StoreFault fault() const { return m_fault; }
    // The operation's own reason; read it only when there is no fault.
    Reason reason() const { return m_reason; }

    friend bool operator==(const Outcome &outcome, Reason reason)
    {
        return outcome.m_fault == StoreFault::None && outcome.m_reason == reason;
    }
    friend bool operator==(const Outcome &outcome, StoreFault fault)
    {
        return outcome.m_fault == fault;
    }
    friend bool operator==(const Outcome &outcome, StoreFault::Kind fault)
    {
        return outcome.m_fault == fault;
    }
    friend bool operator==(const Outcome &, const Outcome &) = default;

private:
    Reason m_reason{};
    StoreFault m_fault = StoreFault::None;
};

} // namespace kucun
