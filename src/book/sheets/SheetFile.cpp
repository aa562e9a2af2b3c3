#include "SheetFile.h"

#include "CsvSheet.h"
#include "XlsxSheet.h"

#include <array>

namespace kucun {

const QList<SheetType> &sheetTypes()
{
    static const QList<SheetType> types{SheetType::Xlsx, SheetType::Csv, SheetType::HtmlTable};
    return types;
}

namespace {

// What a save dialog lists for a type, and the ending of its files.
struct TypeTexts
{
    QString filter;
    QString suffix;
};

const TypeTexts &typeTexts(SheetType type)
{
    // In the order of SheetType.
    static const std::array<TypeTexts, 3> texts{{
        {QStringLiteral("Excel 工作簿 (*.xlsx)"), QStringLiteral("xlsx")},
        {QStringLiteral("CSV UTF-8 (*.csv)"), QStringLiteral("csv")},
        {QStringLiteral("网页表格 (*.xls)"), QStringLiteral("xls")},
    }};
    return texts[std::size_t(type)];
}

} // namespace

QString sheetTypeFilter(SheetType type)
{
    return typeTexts(type).filter;
}

QString sheetSuffix(SheetType type)
{
    return typeTexts(type).suffix;
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

QString proposedSheetFileName(const QStringList &parts, SheetType type)
{
    // A model's text may be long; a file name holds 255 bytes at most.
    constexpr qsizetype longestPart = 40;
    QStringList names;
    for (const QString &part : parts) {
        QString name = part.left(longestPart);
        for (QChar &c : name) {
            if (c.unicode() < 0x20 || QStringView(u"\\/:*?\"<>|").contains(c)) {
                c = u'_';
            }
        }
        names << name.trimmed();
    }
    return names.join(u'-') + u'.' + sheetSuffix(type);
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
