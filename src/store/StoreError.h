#pragma once

#include <QString>
#include <stdexcept>

namespace kucun {

// Raised when a table is read in a way its file cannot answer: a field the
// table lacks, a field of another type than the caller expects, or a read
// without an open table. Callers cannot mistake it for an empty value. A
// table opened with its fields checked (FieldCheck::Declared) raises it only
// for a read the code gets wrong; faults of the file are StoreFaults.
class StoreError : public std::runtime_error
{
public:
    explicit StoreError(const QString &message) : std::runtime_error(message.toStdString()) {}
    QString message() const { return QString::fromStdString(what()); }
};

} // namespace kucun
