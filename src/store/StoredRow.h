#pragma once

#include <QString>
#include <optional>
#include <string_view>

namespace kucun {

namespace sql {
class Rows;
} // namespace sql

// One row of a scan as the file holds it, for reads over many rows that
// need few of their values: a text stays its stored UTF-8 bytes until it is
// asked for as a QString. Fields count from 0 in the order read, as in a
// Record; an absent value reads as an empty text or 0. Valid only while it
// is visited.
class StoredRow
{
public:
    explicit StoredRow(const sql::Rows &statement) : m_statement(statement) {}

    qint64 rowId() const;
    bool isAbsentAt(int field) const;
    std::string_view utf8At(int field) const;
    QString textAt(int field) const;
    double numberAt(int field) const;
    std::optional<double> numberIfAnyAt(int field) const;

private:
    friend class Table; // makes records of the rows it scans
    const sql::Rows &m_statement;
};

} // namespace kucun
