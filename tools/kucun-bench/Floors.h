#pragma once

#include <QDate>
#include <QString>

// What the store itself allows: the rows a search reads, read with one
// SQLCipher statement on the same file, with nothing built from them.
// Each returns milliseconds and counts the rows it read.

double keywordSearchFloorMs(const QString &logPath, const QString &keyword, qint64 *rows);
double dateSearchFloorMs(const QString &logPath, const QDate &from, const QDate &to, qint64 *rows);
