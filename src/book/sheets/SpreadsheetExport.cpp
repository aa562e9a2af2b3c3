#include "SpreadsheetExport.h"

#include "book/Gb18030.h"

#include <QDir>
#include <QSaveFile>

namespace kucun {

QString spreadsheetPath(const QString &exportDir)
{
    return QDir(exportDir).filePath(QStringLiteral("岚栖库存.xls"));
}

QByteArray spreadsheetBytes(const ShownTable &table, const QString &title, bool withHeader)
{
    QString html;
    const auto line = [&html](const QString &text) {
        html += text;
        html += QStringLiteral("\r\n");
    };
    // Without it a spreadsheet program may read the bytes as Latin-1.
    line(QStringLiteral(
        "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=gb18030\">"));
    if (!title.isEmpty()) {
        line(QStringLiteral("<table border=\"0\">"));
        line(QStringLiteral("  <tr>"));
        line(QStringLiteral("<th  colspan='%1' style='font-family:宋体;font-size:30px;'>%2</th>")
                 .arg(QString::number(table.columnTitles.size()), title.toHtmlEscaped()));
        line(QStringLiteral("  </tr>"));
        line(QStringLiteral("</table>"));
    }
    line(QStringLiteral("<table border=\"1\">"));
    if (withHeader) {
        line(QStringLiteral("  <tr>"));
        for (const QString &columnTitle : table.columnTitles) {
            line(QStringLiteral("    <th>") + columnTitle.toHtmlEscaped() +
                 QStringLiteral("</th>"));
        }
        line(QStringLiteral("  </tr>"));
    }
    for (const QStringList &row : table.rows) {
        line(QStringLiteral("  <tr>"));
        for (const QString &cell : row) {
            line(QStringLiteral("    <td>") + cell.toHtmlEscaped() + QStringLiteral("</td>"));
        }
        line(QStringLiteral("  </tr>"));
    }
    line(QStringLiteral("</table>"));
    return gb18030(html);
}

bool saveFile(const QString &path, const QByteArray &bytes)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        return false;
    }
    if (file.write(bytes) != bytes.size()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

} // namespace kucun
