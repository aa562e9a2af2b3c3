#pragma once

#include "TableSchema.h"

#include <QDateTime>
#include <QVariantList>
#include <memory>
#include <optional>

namespace kucun {

// The column layout of one open table file.
class Schema
{
public:
    Schema(QString tableName, FieldList fields);

    const QString &tableName() const { return m_tableName; }
    const FieldList &fields() const { return m_fields; }
    // Index of a field; throws StoreError when the table lacks it.
    int indexOf(const QString &field) const;
    // Throws StoreError unless the field at this index reads as this kind.
    void requireKind(int field, FieldKind kind) const;
    // Whether every field the program declares for this table
    // (tables::fieldsOf) is there and reads as its kind. A table opened with
    // this checked throws StoreError only for a read the code gets wrong.
    bool holdsDeclaredFields() const { return mismatchedField().isEmpty(); }
    // The first declared field that is missing or reads as another kind;
    // empty when every one is there as declared.
    QString mismatchedField() const;

private:
    QString m_tableName;
    FieldList m_fields;
};

// One record's values, read with the type each field is used as. A record
// past the end of the table has no values and reads as empty values.
class Record
{
public:
    Record() = default;
    Record(std::shared_ptr<const Schema> schema, qint64 rowId, QVariantList values);

    bool isValid() const { return m_rowId > 0; }
    qint64 rowId() const { return m_rowId; }

    // Each read throws StoreError for a field the table lacks or one whose
    // type does not fit the read: on a table whose fields were checked when
    // it was opened, a fault of the code that reads.
    QString text(const QString &field) const { return textAt(indexOf(field)); }
    double number(const QString &field) const { return numberAt(indexOf(field)); }
    bool logical(const QString &field) const
    {
        return valueAt(indexOf(field), FieldKind::Logical).toLongLong() != 0;
    }
    QDateTime dateTime(const QString &field) const { return dateTimeAt(indexOf(field)); }
    // A number field that may hold none (a price): nothing when it is NULL.
    std::optional<double> numberIfAny(const QString &field) const;

    // The same reads by field index (Schema::indexOf), for loops over many
    // records that look each field up once.
    QString textAt(int field) const { return valueAt(field, FieldKind::Text).toString(); }
    double numberAt(int field) const { return valueAt(field, FieldKind::Number).toDouble(); }
    QDateTime dateTimeAt(int field) const;
    std::optional<double> numberIfAnyAt(int field) const;
    // True when the field holds no value at all (NULL), which the reads give
    // as an empty text or 0.
    bool isAbsentAt(int field) const;

private:
    friend class Table; // refills one record per row while scanning

    const QVariant &valueAt(int field, FieldKind expected) const;
    int indexOf(const QString &field) const;

    std::shared_ptr<const Schema> m_schema;
    qint64 m_rowId = 0;
    QVariantList m_values;
};

// Stored date-times carry no time zone; they are held as UTC so that no
// zone rules shift or slow them.
QDateTime storedDateTime(const QDate &date, const QTime &time = QTime(0, 0));
QDateTime parseStoredDateTime(const QString &text);

} // namespace kucun
