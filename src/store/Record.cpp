#include "Record.h"

#include "StoreError.h"

namespace kucun {

namespace {

const char *kindName(FieldKind kind)
{
    switch (kind) {
    case FieldKind::Text:
        return "text";
    case FieldKind::Number:
    case FieldKind::Integer:
        return "number";
    case FieldKind::Logical:
        return "logical";
    case FieldKind::DateTime:
        return "date-time";
    case FieldKind::Unknown:
        break;
    }
    return "unknown";
}

bool fits(FieldKind stored, FieldKind expected)
{
    if (isNumericKind(expected)) {
        return isNumericKind(stored);
    }
    return stored == expected;
}

} // namespace

Schema::Schema(QString tableName, FieldList fields)
    : m_tableName(std::move(tableName)), m_fields(std::move(fields))
{
}

int Schema::indexOf(const QString &field) const
{
    for (int i = 0; i < m_fields.size(); ++i) {
        if (m_fields[i].name == field) {
            return i;
        }
    }
    throw StoreError(QStringLiteral("表 %1 没有字段 %2").arg(m_tableName, field));
}

bool Schema::hasField(const QString &field) const
{
    return std::any_of(m_fields.cbegin(), m_fields.cend(),
                       [&field](const FieldDefinition &f) { return f.name == field; });
}

Record::Record(std::shared_ptr<const Schema> schema, qint64 rowId, QVariantList values)
    : m_schema(std::move(schema)), m_rowId(rowId), m_values(std::move(values))
{
}

const QVariant &Record::valueOf(const QString &field, FieldKind expected) const
{
    static const QVariant empty;
    if (!m_schema) {
        throw StoreError(QStringLiteral("没有打开的表，无法读取字段 %1").arg(field));
    }
    const int index = m_schema->indexOf(field);
    const FieldKind stored = m_schema->fields()[index].kind;
    if (!fits(stored, expected)) {
        throw StoreError(QStringLiteral("表 %1 的字段 %2 不是%3类型")
                             .arg(m_schema->tableName(), field, QLatin1String(kindName(expected))));
    }
    return index < m_values.size() ? m_values[index] : empty;
}

QString Record::text(const QString &field) const
{
    return valueOf(field, FieldKind::Text).toString();
}

double Record::number(const QString &field) const
{
    return valueOf(field, FieldKind::Number).toDouble();
}

bool Record::logical(const QString &field) const
{
    return valueOf(field, FieldKind::Logical).toLongLong() != 0;
}

QDateTime Record::dateTime(const QString &field) const
{
    const QVariant &value = valueOf(field, FieldKind::DateTime);
    return value.isValid() ? parseStoredDateTime(value.toString()) : QDateTime();
}

QDateTime parseStoredDateTime(const QString &text)
{
    QDateTime parsed = QDateTime::fromString(text, QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    if (!parsed.isValid()) {
        const QDate date = QDate::fromString(text.left(10), QStringLiteral("yyyy-MM-dd"));
        if (date.isValid()) {
            parsed = QDateTime(date, QTime(0, 0));
        }
    }
    return parsed;
}

} // namespace kucun
