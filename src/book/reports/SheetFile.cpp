#include "SheetFile.h"

#include "CsvSheet.h"
#include "XlsxSheet.h"

namespace kucun {

const QList<SheetType> &sheetTypes()
{
    static const QList<SheetType> types{SheetType::Xlsx, SheetType::Csv, SheetType::HtmlTable};
    return types;
}

QString sheetTypeFilter(SheetType type)
{
    switch (type) {
    case SheetType::Xlsx:
        return QStringLiteral("Excel 工作簿 (*.xlsx)");
    case SheetType::Csv:
        return QStringLiteral("CSV UTF-8 (*.csv)");
    case SheetType::HtmlTable:
        break;
    }
    return QStringLiteral("网页表格 (*.xls)");
}

QString sheetSuffix(SheetType type)
{
    switch (type) {
    case SheetType::Xlsx:
        return QStringLiteral("xlsx");
    case SheetType::Csv:
        return QStringLiteral("csv");
    case SheetType::HtmlTable:
        break;
    }
    return QStringLiteral("xls");
}

SheetType sheetTypeOf(const QString &path, SheetType chosen)
{
    for (const SheetType type : sheetTypes()) {
        if (path.endsWith(u'.' + sheetSuffix(type), Qt::CaseInsensitive)) {
            return type;
        }
    }
    return chosen;
}

QString proposedSheetFileName(const QString &report, const QDate &day, SheetType type)
{
    return report + u'-' + day.toString(QStringLiteral("yyyy-MM-dd")) + u'.' + sheetSuffix(type);
}

bool saveSheet(const QString &path, SheetType type, const ShownTable &table,
               const SheetDescription &sheet)
{
    switch (type) {
    case SheetType::Xlsx:
        if (const std::optional<QByteArray> bytes = xlsxBytes(table, sheet)) {
            return saveFile(path, *bytes);
        }
        return false;
    case SheetType::Csv:
        return saveFile(path, csvBytes(table, sheet.quantityColumns));
    case SheetType::HtmlTable:
        break;
    }
    return saveFile(path, spreadsheetBytes(table, sheet.title, true));
}

} // namespace kucun
