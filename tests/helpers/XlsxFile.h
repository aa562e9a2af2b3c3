#pragma once

#include <QByteArray>
#include <QMap>
#include <QString>

namespace kucun::test {

// An entry of a zip file as `unzip -p` reads it; empty when it is missing.
QByteArray zipEntry(const QString &zip, const QString &entry);

// A cell of a workbook's first sheet as the file holds it: its type ("s" a
// shared text, "n" a number), its text (the shared text resolved), its
// formula, and the number format and boldness of its style.
struct XlsxCell
{
    QString type;
    QString text;
    QString formula;
    QString numberFormat;
    bool bold = false;
};

// The cells of the workbook's first sheet by reference ("B3").
QMap<QString, XlsxCell> xlsxCells(const QString &path);

} // namespace kucun::test
