#include "XlsxSheet.h"

#include "SheetCells.h"

#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <map>
#include <vector>
#include <xlsxwriter.h>

namespace kucun {

namespace {

// Excel's limits: the characters of a cell and the width of a column.
constexpr qsizetype mostCellCharacters = 32767;
constexpr double widestColumn = 255;
// Room beside a heading for its filter button, and around every text.
constexpr int filterButtonColumns = 2;
constexpr int columnMargin = 2;

// "A" for column 0, "AA" for column 26.
QByteArray columnLetters(int column)
{
    QByteArray letters;
    for (int n = column + 1; n > 0; n = (n - 1) / 26) {
        letters.prepend(char('A' + (n - 1) % 26));
    }
    return letters;
}

// A text longer than a cell holds keeps its beginning, never half a character.
QByteArray cellText(const QString &text)
{
    qsizetype end = std::min(text.size(), mostCellCharacters);
    if (end < text.size() && text[end - 1].isHighSurrogate()) {
        --end;
    }
    return text.left(end).toUtf8();
}

class SheetWriter
{
public:
    SheetWriter(lxw_workbook *book, const ShownTable &table, const SheetDescription &sheet)
        : m_book(book), m_table(table), m_description(sheet),
          m_columns(int(table.columnTitles.size())), m_widths(m_columns, 0),
          m_decimals(m_columns, 0), m_sums(m_columns, 0.0)
    {
    }

    bool write()
    {
        const QByteArray name = m_description.name.toUtf8();
        m_sheet = workbook_add_worksheet(m_book, name.isEmpty() ? nullptr : name.constData());
        if (m_sheet == nullptr) {
            return false;
        }
        m_bold = workbook_add_format(m_book);
        format_set_bold(m_bold);
        writeTitle();
        writeHeadings();
        writeRows();
        writeTotals();
        fitColumns();
        return m_ok;
    }

private:
    bool isQuantityColumn(int column) const
    {
        return m_description.quantityColumns.contains(column);
    }

    // "0", "0.0", "0.00", ...: the figure with as many decimals as the list shows.
    lxw_format *quantityFormat(int decimals, bool bold)
    {
        lxw_format *&format = m_quantityFormats[{decimals, bold}];
        if (format == nullptr) {
            format = workbook_add_format(m_book);
            const QByteArray code =
                decimals == 0 ? QByteArray("0") : "0." + QByteArray(decimals, '0');
            format_set_num_format(format, code.constData());
            if (bold) {
                format_set_bold(format);
            }
        }
        return format;
    }

    void check(lxw_error error) { m_ok = m_ok && error == LXW_NO_ERROR; }

    void writeText(lxw_row_t row, int column, const QString &text, lxw_format *format,
                   int extraColumns = 0)
    {
        check(worksheet_write_string(m_sheet, row, lxw_col_t(column), cellText(text).constData(),
                                     format));
        m_widths[column] = std::max(m_widths[column], textColumns(text) + extraColumns);
    }

    void writeTitle()
    {
        if (m_description.title.isEmpty() || m_columns == 0) {
            return;
        }
        lxw_format *format = workbook_add_format(m_book);
        format_set_bold(format);
        format_set_font_size(format, 16);
        format_set_align(format, LXW_ALIGN_CENTER);
        format_set_align(format, LXW_ALIGN_VERTICAL_CENTER);
        const QByteArray title = cellText(m_description.title);
        check(worksheet_set_row(m_sheet, 0, 24, nullptr));
        if (m_columns == 1) {
            check(worksheet_write_string(m_sheet, 0, 0, title.constData(), format));
        } else {
            check(worksheet_merge_range(m_sheet, 0, 0, 0, lxw_col_t(m_columns - 1),
                                        title.constData(), format));
        }
        m_headingRow = 1;
    }

    void writeHeadings()
    {
        for (int column = 0; column < m_columns; ++column) {
            writeText(m_headingRow, column, m_table.columnTitles[column], m_bold,
                      filterButtonColumns);
        }
        if (m_columns > 0) {
            worksheet_freeze_panes(m_sheet, m_headingRow + 1, 0);
            check(worksheet_autofilter(m_sheet, m_headingRow, 0,
                                       lxw_row_t(m_headingRow + m_table.rows.size()),
                                       lxw_col_t(m_columns - 1)));
        }
    }

    void writeRows()
    {
        lxw_row_t row = m_headingRow + 1;
        for (const QStringList &cells : m_table.rows) {
            const int columns = std::min(m_columns, int(cells.size()));
            for (int column = 0; column < columns; ++column) {
                const QString &text = cells[column];
                const std::optional<double> value =
                    isQuantityColumn(column) ? quantityValue(text) : std::nullopt;
                if (!value) {
                    writeText(row, column, text, nullptr);
                    continue;
                }
                const int decimals = shownDecimals(text);
                check(worksheet_write_number(m_sheet, row, lxw_col_t(column), *value,
                                             quantityFormat(decimals, false)));
                m_widths[column] = std::max(m_widths[column], int(text.size()));
                m_decimals[column] = std::max(m_decimals[column], decimals);
                m_sums[column] += *value;
            }
            ++row;
        }
    }

    // Under the list: 合计 and, under each quantity column, the sum of its
    // cells as a formula, with the sum as its last computed value.
    void writeTotals()
    {
        if (m_description.quantityColumns.isEmpty()) {
            return;
        }
        const lxw_row_t first = m_headingRow + 1;
        const lxw_row_t totals = lxw_row_t(first + m_table.rows.size());
        for (int column = 0; column < m_columns; ++column) {
            if (!isQuantityColumn(column)) {
                writeText(totals, column, QStringLiteral("合计"), m_bold);
                break;
            }
        }
        for (const int column : m_description.quantityColumns) {
            if (column < 0 || column >= m_columns ||
                m_description.columnsWithoutTotal.contains(column)) {
                continue;
            }
            lxw_format *format = quantityFormat(m_decimals[column], true);
            if (m_table.rows.isEmpty()) {
                check(worksheet_write_number(m_sheet, totals, lxw_col_t(column), 0, format));
                continue;
            }
            const QByteArray letters = columnLetters(column);
            const QByteArray formula = "=SUM(" + letters + QByteArray::number(first + 1) + ':' +
                                       letters + QByteArray::number(totals) + ')';
            check(worksheet_write_formula_num(m_sheet, totals, lxw_col_t(column),
                                              formula.constData(), format, m_sums[column]));
        }
    }

    void fitColumns()
    {
        for (int column = 0; column < m_columns; ++column) {
            const double width = std::min(widestColumn, double(m_widths[column] + columnMargin));
            check(worksheet_set_column(m_sheet, lxw_col_t(column), lxw_col_t(column), width,
                                       nullptr));
        }
    }

    lxw_workbook *m_book;
    const ShownTable &m_table;
    const SheetDescription &m_description;
    const int m_columns;
    lxw_worksheet *m_sheet = nullptr;
    lxw_format *m_bold = nullptr;
    std::map<std::pair<int, bool>, lxw_format *> m_quantityFormats;
    // By column: the widest text, the most decimals a quantity shows, the sum.
    std::vector<int> m_widths;
    std::vector<int> m_decimals;
    std::vector<double> m_sums;
    lxw_row_t m_headingRow = 0;
    bool m_ok = true;
};

} // namespace

std::optional<QByteArray> xlsxBytes(const ShownTable &table, const SheetDescription &sheet)
{
    // The library writes to a path: the workbook is made in a folder of its
    // own and its bytes handed back, so that the save can replace a file
    // whole.
    const QTemporaryDir folder;
    if (!folder.isValid()) {
        return std::nullopt;
    }
    const QString path = folder.filePath(QStringLiteral("sheet.xlsx"));
    lxw_workbook *book = workbook_new(QFile::encodeName(path).constData());
    if (book == nullptr) {
        return std::nullopt;
    }
    const bool written = SheetWriter(book, table, sheet).write();
    // Closing writes the file and frees the workbook, whatever went before.
    const bool closed = workbook_close(book) == LXW_NO_ERROR;
    QFile file(path);
    return written && closed && file.open(QIODevice::ReadOnly) ? std::optional(file.readAll())
                                                               : std::nullopt;
}

} // namespace kucun
