#pragma once

#include <QString>
#include <utility>

namespace kucun {

// Why a table file could not be used, so that the owner is told what is
// true: a file another program holds, one that can't be written, one that
// is missing or no table file at all, or one whose fields are not those the
// program reads. A wrong layout names the table and the field that failed
// its check, since the owner must be told which file holds the wrong field.
class StoreFault
{
public:
    enum Kind
    {
        None,
        Unavailable, // missing, a wrong key, damaged, or lacking its table
        Busy,        // held by another program longer than the wait
        ReadOnly,    // the file (or its folder) can't be written
        WriteFailed, // any other failed write (disk full, I/O error)
        WrongLayout, // a field of the table is missing or of another type
    };

    StoreFault(Kind kind = None) : m_kind(kind) {}
    static StoreFault wrongLayout(QString table, QString field)
    {
        StoreFault fault(WrongLayout);
        fault.m_table = std::move(table);
        fault.m_field = std::move(field);
        return fault;
    }

    // A server that could not be reached or went away, with the reason it gave.
    static StoreFault serverLost(QString reason)
    {
        StoreFault fault(Unavailable);
        fault.m_reason = std::move(reason);
        return fault;
    }

    Kind kind() const { return m_kind; }
    // Why the server was lost; empty for the files' faults.
    const QString &serverReason() const { return m_reason; }
    // The table and the field of a wrong layout; empty for any other fault.
    const QString &table() const { return m_table; }
    const QString &field() const { return m_field; }

    // Faults are the same by kind: the names only tell the owner more.
    friend bool operator==(const StoreFault &a, const StoreFault &b)
    {
        return a.m_kind == b.m_kind;
    }
    friend bool operator==(const StoreFault &a, Kind b) { return a.m_kind == b; }

private:
    Kind m_kind = None;
    QString m_table;
    QString m_field;
    QString m_reason;
};

} // namespace kucun
