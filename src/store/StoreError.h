#pragma once

#include <QString>
#include <stdexcept>

namespace kucun {

// Raised when a table is read in a way its file cannot answer: a field the
// table lacks, a field of another type than the caller expects, or a read
// without an open table. Callers cannot mistake it for an empty value.
class StoreError : public std::runtime_error
{
public:
    explicit StoreError(const QString &message) : std::runtime_error(message.toStdString()) {}
    QString message() const { return QString::fromStdString(what()); }
};

} // namespace kucun
