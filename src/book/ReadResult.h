#pragma once

#include "store/StoreFault.h"

#include <optional>
#include <utility>

namespace kucun {

// What a read of the stock book gives: the value read, or why its table
// could not be read (missing or damaged, busy). Used like std::optional.
template <typename T> class ReadResult
{
public:
    ReadResult(T value) : m_value(std::move(value)) {}
    ReadResult(std::nullopt_t) : m_fault(StoreFault::Unavailable) {}
    ReadResult(StoreFault fault)
        : m_fault(fault == StoreFault::None ? StoreFault::Unavailable : fault)
    {
    }
    ReadResult(StoreFault::Kind fault) : ReadResult(StoreFault(fault)) {}

    bool has_value() const { return m_value.has_value(); }
    explicit operator bool() const { return has_value(); }
    const T &operator*() const & { return *m_value; }
    T &operator*() & { return *m_value; }
    T &&operator*() && { return *std::move(m_value); }
    const T *operator->() const { return &*m_value; }
    T *operator->() { return &*m_value; }
    operator std::optional<T>() const & { return m_value; }
    operator std::optional<T>() && { return std::move(m_value); }

    friend bool operator==(const ReadResult &read, const T &value) { return read.m_value == value; }

    // Why nothing was read; None when the value was.
    StoreFault fault() const { return m_fault; }

private:
    std::optional<T> m_value;
    StoreFault m_fault = StoreFault::None;
};

} // namespace kucun
