#include "FormPrinter.h"

#include "BarPainter.h"

#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPrinter>

namespace kucun {

namespace {

// Space between a cell's lines and its text.
constexpr int textPadding = 10;
constexpr int lineWidth = 2;

QFont cellFont(const CellFont &font)
{
    QFont qfont;
    if (!font.family.isEmpty()) {
        qfont.setFamilies({font.family});
    }
    qfont.setStyleHint(QFont::SansSerif);
    qfont.setPointSizeF(font.size / 5.0);
    return qfont;
}

Qt::Alignment horizontal(CellAlignment alignment)
{
    switch (alignment) {
    case CellAlignment::Centre:
        return Qt::AlignHCenter;
    case CellAlignment::Right:
        return Qt::AlignRight;
    case CellAlignment::Left:
        break;
    }
    return Qt::AlignLeft;
}

// Draws the rows of one page; lengths in tenths of a millimetre scale to
// device pixels.
void paintPage(const PrintTable &table, const QList<int> &rows, QPainter &painter, double scale)
{
    QList<double> columnLeft{0.0};
    for (int column = 1; column <= table.columnCount(); ++column) {
        columnLeft.append(columnLeft.last() + table.columnWidth(column));
    }
    QPen line(Qt::black);
    line.setWidthF(lineWidth * scale);

    double top = 0;
    for (const int row : rows) {
        for (int column = 1; column <= table.columnCount(); ++column) {
            const CellRange range = table.rangeAt(row, column);
            // A merged range is drawn once, by its first cell.
            if (range.row != row || range.column != column) {
                continue;
            }
            double height = 0;
            for (int r = range.row; r <= range.lastRow; ++r) {
                height += table.rowHeight(r);
            }
            const QRectF cell(columnLeft[column - 1] * scale, top * scale,
                              (columnLeft[range.lastColumn] - columnLeft[column - 1]) * scale,
                              height * scale);
            const TableCell &content = table.cell(row, column);
            if (content.bars) {
                paintBars(painter, cell.adjusted(textPadding * scale, 0, -textPadding * scale, 0),
                          *content.bars);
            }
            if (!content.text.isEmpty()) {
                painter.setFont(cellFont(content.font.value_or(table.defaultFont)));
                painter.setPen(Qt::black);
                const QRectF textArea =
                    cell.adjusted(textPadding * scale, 0, -textPadding * scale, 0);
                painter.save();
                painter.setClipRect(cell);
                painter.drawText(
                    textArea,
                    int(horizontal(content.alignment) | Qt::AlignVCenter | Qt::TextWordWrap),
                    content.text);
                painter.restore();
            }
            if (content.bordered) {
                painter.setPen(line);
                painter.setBrush(Qt::NoBrush);
                painter.drawRect(cell);
            }
        }
        top += table.rowHeight(row);
    }
}

} // namespace

void setUpPrinter(const PrintTable &table, QPrinter &printer)
{
    const PageSetup &page = table.page;
    const QPageLayout::Orientation orientation =
        page.orientation == PageSetup::Orientation::Portrait ? QPageLayout::Portrait
                                                             : QPageLayout::Landscape;
    const QMarginsF margins(page.marginLeft / 10.0, page.marginTop / 10.0, page.marginRight / 10.0,
                            page.marginBottom / 10.0);
    if (page.paper == PageSetup::Paper::Label40x30) {
        // A label is wider than high: the page lies on its side.
        printer.setPageLayout(QPageLayout(
            QPageSize(QSizeF(30, 40), QPageSize::Millimeter, QStringLiteral("40 × 30 mm")),
            QPageLayout::Landscape, margins, QPageLayout::Millimeter));
        return;
    }
    printer.setPageLayout(
        QPageLayout(QPageSize(QPageSize::A4), orientation, margins, QPageLayout::Millimeter));
}

QList<QList<int>> pageRows(const PrintTable &table, int pageHeight)
{
    QList<QList<int>> pages{{}};
    int used = 0;
    bool headingShown = false;
    for (int row = 1; row <= table.rowCount(); ++row) {
        const int height = table.rowHeight(row);
        const bool onlyHeading =
            pages.last().size() == 1 && pages.last().first() == table.headingRow;
        const bool pageFull = table.rowsPerPage > 0 && pages.last().size() >= table.rowsPerPage;
        if ((used + height > pageHeight || pageFull) && !pages.last().isEmpty() && !onlyHeading) {
            pages.append(QList<int>());
            used = 0;
            if (headingShown) {
                pages.last().append(table.headingRow);
                used = table.rowHeight(table.headingRow);
            }
        }
        pages.last().append(row);
        used += height;
        headingShown = headingShown || row == table.headingRow;
    }
    return pages;
}

void printTable(const PrintTable &table, QPrinter &printer)
{
    QPainter painter;
    if (!painter.begin(&printer)) {
        return;
    }
    const double scale = printer.resolution() / 254.0;
    const QRectF area = printer.pageLayout().paintRectPixels(printer.resolution());
    const QList<QList<int>> pages = pageRows(table, int(area.height() / scale));
    for (qsizetype page = 0; page < pages.size(); ++page) {
        if (page > 0) {
            printer.newPage();
        }
        paintPage(table, pages[page], painter, scale);
    }
    painter.end();
}

} // namespace kucun
