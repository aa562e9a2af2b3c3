#include "XlsxFile.h"

#include <QList>
#include <QProcess>
#include <QXmlStreamReader>

namespace kucun::test {

QByteArray zipEntry(const QString &zip, const QString &entry)
{
    QProcess unzip;
    unzip.start(QStringLiteral("unzip"), {QStringLiteral("-p"), zip, entry});
    if (!unzip.waitForFinished(30000) || unzip.exitCode() != 0) {
        return {};
    }
    return unzip.readAllStandardOutput();
}

namespace {

QStringList sharedStrings(const QByteArray &xml)
{
    QStringList texts;
    QXmlStreamReader reader(xml);
    while (!reader.atEnd()) {
        reader.readNext();
        if (!reader.isStartElement()) {
            continue;
        }
        if (reader.name() == u"si") {
            texts.append(QString());
        } else if (reader.name() == u"t" && !texts.isEmpty()) {
            texts.last() += reader.readElementText();
        }
    }
    return texts;
}

// The number format and boldness of each cell style, by its index.
QList<std::pair<QString, bool>> cellStyles(const QByteArray &xml)
{
    QMap<QString, QString> formats{{QStringLiteral("0"), QStringLiteral("General")}};
    QList<bool> boldFonts;
    QList<std::pair<QString, bool>> styles;
    QString section;
    QXmlStreamReader reader(xml);
    while (!reader.atEnd()) {
        reader.readNext();
        if (!reader.isStartElement()) {
            continue;
        }
        const auto attribute = [&reader](const char *name) {
            return reader.attributes().value(name).toString();
        };
        const QStringView name = reader.name();
        if (name == u"fonts" || name == u"cellXfs" || name == u"cellStyleXfs") {
            section = name.toString();
        } else if (name == u"numFmt") {
            formats[attribute("numFmtId")] = attribute("formatCode");
        } else if (name == u"font" && section == u"fonts") {
            boldFonts.append(false);
        } else if (name == u"b" && section == u"fonts") {
            boldFonts.last() = true;
        } else if (name == u"xf" && section == u"cellXfs") {
            styles.append(std::pair(formats.value(attribute("numFmtId")),
                                    boldFonts.value(attribute("fontId").toInt())));
        }
    }
    return styles;
}

} // namespace

QMap<QString, XlsxCell> xlsxCells(const QString &path)
{
    const QStringList texts = sharedStrings(zipEntry(path, QStringLiteral("xl/sharedStrings.xml")));
    const auto styles = cellStyles(zipEntry(path, QStringLiteral("xl/styles.xml")));
    QMap<QString, XlsxCell> cells;
    QXmlStreamReader reader(zipEntry(path, QStringLiteral("xl/worksheets/sheet1.xml")));
    XlsxCell *cell = nullptr;
    while (!reader.atEnd()) {
        reader.readNext();
        if (!reader.isStartElement()) {
            continue;
        }
        if (reader.name() == u"c") {
            const QXmlStreamAttributes attributes = reader.attributes();
            cell = &cells[attributes.value("r").toString()];
            cell->type = attributes.hasAttribute("t") ? attributes.value("t").toString()
                                                      : QStringLiteral("n");
            const auto style = styles.value(attributes.value("s").toInt());
            cell->numberFormat = style.first;
            cell->bold = style.second;
        } else if (reader.name() == u"f" && cell) {
            cell->formula = reader.readElementText();
        } else if (reader.name() == u"v" && cell) {
            const QString value = reader.readElementText();
            cell->text = cell->type == u"s" ? texts.value(value.toInt()) : value;
        }
    }
    return cells;
}

} // namespace kucun::test
