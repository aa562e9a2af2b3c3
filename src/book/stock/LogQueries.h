#pragma once

#include "book/ReadResult.h"
#include "book/files/Book.h"

#include <QDate>
#include <QDateTime>
#include <QList>
#include <QMetaType>
#include <QString>
#include <optional>
#include <vector>

namespace kucun {

class Table;

// The movements a log query found, in record order: their identities
// (Record::rowId) and the sums of their quantities, with the number of
// records the log holds.
struct LogMatches
{
    QList<qint64> ids;
    double totalIn = 0;
    double totalOut = 0;
    qint64 recordCount = 0;
};

// Each query opens 明细, reads it and closes it; nothing means the table
// could not be opened or read, and its fault says why. Dates are compared within 0100-01-01 to
// 9999-12-31: a date outside counts as that range's nearest end.

// The movements dated on this day.
ReadResult<LogMatches> movementsOfDay(const Book &book, const QDate &day);
// The movements whose 品类, 名称, 型号 or 备注 contains the keyword
// (case-sensitive; an empty keyword matches every movement).
ReadResult<LogMatches> movementsWithKeyword(const Book &book, const QString &keyword);
// The movements dated from the start of `from` up to `to` at 00:00:00.
ReadResult<LogMatches> movementsBetween(const Book &book, const QDate &from, const QDate &to);

// One movement (明细 record) as stored.
struct MovementRecord
{
    qint64 id = 0;
    QDateTime date;
    QString category;
    QString item;
    QString model;
    double in = 0;
    double out = 0;
    QString unit;
    QString remark;

    bool operator==(const MovementRecord &) const = default;
};

// The movements with these identities that the log still holds, in record
// order.
ReadResult<std::vector<MovementRecord>> readMovements(const Book &book, const QList<qint64> &ids);
// The same from a log already open (inside a transaction, say).
ReadResult<std::vector<MovementRecord>> readMovements(Table &log, const QList<qint64> &ids);

} // namespace kucun

Q_DECLARE_METATYPE(kucun::MovementRecord)
