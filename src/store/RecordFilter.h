#pragma once

#include <QDate>
#include <QString>
#include <QStringList>
#include <QVariantList>

namespace kucun {

// A condition on a table's records that SQL can answer, with an index
// where there is one. An absent text counts as the empty text.
struct RecordFilter
{
    QString sqlCondition;
    QVariantList parameters;
    // Set when the condition is a range on one field: an index on it pays
    // only while the range holds a small part of the table.
    QString rangeField;
    QString rangeLow;
    QString rangeHigh;

    // Every record.
    static RecordFilter all();
    // The records with these identities (Record::rowId); at most
    // maximumIds of them (a statement takes at most 999 values).
    static constexpr int maximumIds = 500;
    static RecordFilter idsIn(const QList<qint64> &ids);
    // The records whose number field holds one of these whole numbers; at
    // most maximumIds of them.
    static RecordFilter numbersIn(const QString &field, const QList<qint64> &numbers);
    // No record at all.
    static RecordFilter none();
    // Every listed text field equals its text exactly.
    static RecordFilter textsEqual(const QList<std::pair<QString, QString>> &fieldEqualsText);
    // The keyword occurs (case-sensitive) in at least one of the fields.
    static RecordFilter anyContains(const QStringList &textFields, const QString &keyword);
    // A date-time field lies from the start of `from` up to `to` at 00:00:00.
    // Stored values written as a bare date are included; callers compare the
    // read value exactly.
    static RecordFilter dateTimeBetween(const QString &field, const QDate &from, const QDate &to);
    // A date-time field lies on one of the days from `from` to `last`, both
    // whole: its stored text sorts from the start of `from` up to, not
    // including, the start of the day after `last`.
    static RecordFilter dateTimeInDays(const QString &field, const QDate &from, const QDate &last);
    // A date-time field lies at or after the start of `from`.
    static RecordFilter dateTimeFrom(const QString &field, const QDate &from);
};

} // namespace kucun
