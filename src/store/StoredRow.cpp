#include "StoredRow.h"

#include "Session.h"

namespace kucun {

// Column 0 of a scan is the rowid; field n is column n + 1.

qint64 StoredRow::rowId() const
{
    return m_statement.int64At(0);
}

bool StoredRow::isAbsentAt(int field) const
{
    return m_statement.isNullAt(field + 1);
}

std::string_view StoredRow::utf8At(int field) const
{
    return m_statement.utf8At(field + 1);
}

QString StoredRow::textAt(int field) const
{
    const std::string_view utf8 = utf8At(field);
    return QString::fromUtf8(utf8.data(), qsizetype(utf8.size()));
}

double StoredRow::numberAt(int field) const
{
    return m_statement.doubleAt(field + 1);
}

std::optional<double> StoredRow::numberIfAnyAt(int field) const
{
    return isAbsentAt(field) ? std::nullopt : std::optional(numberAt(field));
}

} // namespace kucun
