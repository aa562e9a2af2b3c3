#include "Record.h"

#include "StoreError.h"

#include <algorithm>

namespace kucun {

namespace {

QString kindName(FieldKind kind)
{
    switch (kind) {
    case FieldKind::Text:
        return QStringLiteral("文本");
    case FieldKind::Number:
        return QStringLiteral("数值");
    case FieldKind::Integer:
        return QStringLiteral("整数");
    case FieldKind::Logical:
        return QStringLiteral("逻辑");
    case FieldKind::DateTime:
        return QStringLiteral("日期时间");
    case FieldKind::Unknown:
        break;
    }
    return QStringLiteral("未知");
}

bool fits(FieldKind stored, FieldKind expected)
{
    return isNumericKind(expected) ? isNumericKind(stored) : stored == expected;
}

// Reads `count` ASCII digits at `pos`; -1 when they are not all digits.
int digitsAt(const QString &text, qsizetype pos, int count)
{
    if (pos + count > text.size()) {
        return -1;
    }
    int value = 0;
    for (qsizetype i = pos; i < pos + count; ++i) {
        const char16_t c = text[i].unicode();
        if (c < u'0' || c > u'9') {
            return -1;
        }
        value = value * 10 + (c - u'0');
    }
    return value;
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

void Schema::requireKind(int field, FieldKind kind) const
{
    const FieldDefinition &definition = m_fields[field];
    if (!fits(definition.kind, kind)) {
        throw StoreError(QStringLiteral("表 %1 的字段 %2 不是%3类型")
                             .arg(m_tableName, definition.name, kindName(kind)));
    }
}

QString Schema::mismatchedField() const
{
    for (const FieldDefinition &field : tables::fieldsOf(m_tableName)) {
        const bool held = std::any_of(
            m_fields.cbegin(), m_fields.cend(), [&field](const FieldDefinition &stored) {
                return stored.name == field.name && fits(stored.kind, field.kind);
            });
        if (!held) {
            return field.name;
        }
    }
    return {};
}

Record::Record(std::shared_ptr<const Schema> schema, qint64 rowId, QVariantList values)
    : m_schema(std::move(schema)), m_rowId(rowId), m_values(std::move(values))
{
}

const QVariant &Record::valueAt(int field, FieldKind expected) const
{
    static const QVariant empty;
    if (!m_schema) {
        throw StoreError(QStringLiteral("没有打开的表"));
    }
    if (field < 0 || field >= m_schema->fields().size()) {
        throw StoreError(
            QStringLiteral("表 %1 没有第 %2 个字段").arg(m_schema->tableName()).arg(field));
    }
    m_schema->requireKind(field, expected);
    return field < m_values.size() ? m_values[field] : empty;
}

int Record::indexOf(const QString &field) const
{
    if (!m_schema) {
        throw StoreError(QStringLiteral("没有打开的表，无法读取字段 %1").arg(field));
    }
    return m_schema->indexOf(field);
}

std::optional<double> Record::numberIfAny(const QString &field) const
{
    return numberIfAnyAt(indexOf(field));
}

std::optional<double> Record::numberIfAnyAt(int field) const
{
    return isAbsentAt(field) ? std::nullopt : std::optional(numberAt(field));
}

QDateTime Record::dateTimeAt(int field) const
{
    const QVariant &value = valueAt(field, FieldKind::DateTime);
    return value.isValid() ? parseStoredDateTime(value.toString()) : QDateTime();
}

bool Record::isAbsentAt(int field) const
{
    return field >= m_values.size() || !m_values[field].isValid();
}

QDateTime storedDateTime(const QDate &date, const QTime &time)
{
    return QDateTime(date, time, Qt::UTC);
}

QDateTime parseStoredDateTime(const QString &text)
{
    // "YYYY-MM-DD HH:MM:SS" or a bare "YYYY-MM-DD"; read by hand because the
    // log lists parse a million of these.
    const int year = digitsAt(text, 0, 4);
    const int month = digitsAt(text, 5, 2);
    const int day = digitsAt(text, 8, 2);
    if (year < 0 || month < 0 || day < 0 || text[4] != u'-' || text[7] != u'-') {
        return QDateTime();
    }
    const QDate date(year, month, day);
    if (!date.isValid()) {
        return QDateTime();
    }
    QTime time(0, 0);
    if (text.size() >= 19 && text[10] == u' ') {
        const int hour = digitsAt(text, 11, 2);
        const int minute = digitsAt(text, 14, 2);
        const int second = digitsAt(text, 17, 2);
        time = QTime(hour, minute, second);
        if (!time.isValid()) {
            return QDateTime();
        }
    }
    return storedDateTime(date, time);
}

} // namespace kucun
