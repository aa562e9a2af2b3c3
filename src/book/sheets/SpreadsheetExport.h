#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

namespace kucun {

// A list as it is shown: its column titles and its rows of cell texts, top
// to bottom.
struct ShownTable
{
    QStringList columnTitles;
    QList<QStringList> rows;
};

// The file every export writes, in the export folder.
QString spreadsheetPath(const QString &exportDir);

// The spreadsheet file of a list: an HTML table, GB18030 bytes, CRLF lines.
// A title gives a title row spanning every column above the table; the
// header flag a row of the column titles. Texts are written with &, <, >
// and " as HTML entities, so every cell reads back as it was shown.
QByteArray spreadsheetBytes(const ShownTable &table, const QString &title, bool withHeader);

// Replaces the file with the bytes, all or nothing. False when the file
// could not be written; a file that was there stays as it was.
bool saveFile(const QString &path, const QByteArray &bytes);

} // namespace kucun
