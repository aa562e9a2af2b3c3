#include "CsvSheet.h"

#include "SheetCells.h"

namespace kucun {

namespace {

bool startsLikeFormula(const QString &text)
{
    return !text.isEmpty() && QStringView(u"=+-@\t\r").contains(text.front());
}

void appendField(QString &csv, const QString &cell, bool quantity)
{
    const bool number = quantity && quantityValue(cell).has_value();
    const QString text = !number && startsLikeFormula(cell) ? u'\'' + cell : cell;
    const bool quoted =
        text.contains(u',') || text.contains(u'"') || text.contains(u'\r') || text.contains(u'\n');
    csv += quoted ? u'"' + QString(text).replace(u'"', QStringLiteral("\"\"")) + u'"' : text;
}

void appendRecord(QString &csv, const QStringList &cells, const QList<int> &quantityColumns)
{
    for (int column = 0; column < cells.size(); ++column) {
        if (column > 0) {
            csv += u',';
        }
        appendField(csv, cells[column], quantityColumns.contains(column));
    }
    csv += QStringLiteral("\r\n");
}

} // namespace

QByteArray csvBytes(const ShownTable &table, const QList<int> &quantityColumns)
{
    QString csv;
    csv += QChar(0xFEFF);
    appendRecord(csv, table.columnTitles, {});
    for (const QStringList &row : table.rows) {
        appendRecord(csv, row, quantityColumns);
    }
    return csv.toUtf8();
}

} // namespace kucun
