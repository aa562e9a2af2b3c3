#include "CountDraft.h"

#include "book/stock/Quantity.h"
#include "store/Table.h"
#include "store/TableSchema.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>
#include <QSet>
#include <algorithm>

namespace kucun {

namespace {

// The draft is kept beside the data tables.
QString draftFile(const Book &book)
{
    return QDir(book.folders().data).filePath(QStringLiteral("盘点.json"));
}

QString damagedFile(const Book &book)
{
    return QDir(book.folders().data).filePath(QStringLiteral("盘点.json.bad"));
}

// A draft's size, at most: a count of a model takes far less than this.
constexpr qint64 bytesPerCount = 256;
constexpr qint64 headerBytes = 4096;

bool sameModel(const ModelRecord &a, const ModelRecord &b)
{
    return a.id == b.id && a.category == b.category && a.item == b.item && a.model == b.model;
}

// One count of a draft, or nothing when the entry is not one this program
// writes.
std::optional<CountDraft::Count> countOf(const QJsonValue &value)
{
    const QJsonObject count = value.toObject();
    const QJsonValue id = count.value(QStringLiteral("id"));
    const QJsonValue counted = count.value(QStringLiteral("实盘"));
    const QJsonValue against = count.value(QStringLiteral("账面"));
    const QStringList textKeys{QStringLiteral("品类"), QStringLiteral("名称"),
                               QStringLiteral("型号")};
    const bool textsOk =
        std::all_of(textKeys.cbegin(), textKeys.cend(),
                    [&count](const QString &key) { return count.value(key).isString(); });
    if (!value.isObject() || !id.isDouble() || id.toDouble() < 1 ||
        double(id.toInteger()) != id.toDouble() || !textsOk || !counted.isDouble() ||
        counted.toDouble() < 0 || counted.toDouble() > double(largestQuantity) ||
        !(against.isUndefined() || against.isDouble())) {
        return std::nullopt;
    }
    CountDraft::Count kept;
    kept.model.id = id.toInteger();
    kept.model.category = count.value(textKeys[0]).toString();
    kept.model.item = count.value(textKeys[1]).toString();
    kept.model.model = count.value(textKeys[2]).toString();
    kept.counted = counted.toDouble();
    if (against.isDouble()) {
        kept.countedAgainst = against.toDouble();
    }
    return kept;
}

// The draft the bytes hold, or nothing when they are no draft.
std::optional<CountDraft> parseDraft(const QByteArray &bytes, qint64 modelCount)
{
    const QJsonDocument document = QJsonDocument::fromJson(bytes);
    const QJsonObject root = document.object();
    const QJsonValue category = root.value(QStringLiteral("品类"));
    const QJsonValue counts = root.value(QStringLiteral("counts"));
    CountDraft draft;
    draft.day = QDate::fromString(root.value(QStringLiteral("日期")).toString(), Qt::ISODate);
    if (!document.isObject() || !category.isString() || !draft.day.isValid() || !counts.isArray() ||
        counts.toArray().size() > modelCount) {
        return std::nullopt;
    }
    draft.category = category.toString();
    QSet<qint64> ids;
    for (const QJsonValue &value : counts.toArray()) {
        const std::optional<CountDraft::Count> count = countOf(value);
        if (!count || ids.contains(count->model.id)) {
            return std::nullopt;
        }
        ids.insert(count->model.id);
        draft.counts.push_back(*count);
    }
    return draft;
}

} // namespace

CountDraft draftOf(const CountSheet &sheet)
{
    CountDraft draft{sheet.category, sheet.day, {}};
    for (const CountLine &line : sheet.lines) {
        if (line.counted) {
            draft.counts.push_back({line.model, *line.counted, line.countedAgainst});
        }
    }
    return draft;
}

int applyDraft(const CountDraft &draft, CountSheet &sheet)
{
    QHash<qint64, CountLine *> lines;
    for (CountLine &line : sheet.lines) {
        lines.insert(line.model.id, &line);
    }
    int dropped = 0;
    for (const CountDraft::Count &count : draft.counts) {
        CountLine *line = lines.value(count.model.id);
        if (!line || !sameModel(line->model, count.model)) {
            ++dropped;
            continue;
        }
        line->counted = count.counted;
        line->countedAgainst = count.countedAgainst;
    }
    return dropped;
}

bool saveCountDraft(const Book &book, const CountDraft &draft)
{
    QJsonArray counts;
    for (const CountDraft::Count &count : draft.counts) {
        QJsonObject entry{{QStringLiteral("id"), count.model.id},
                          {QStringLiteral("品类"), count.model.category},
                          {QStringLiteral("名称"), count.model.item},
                          {QStringLiteral("型号"), count.model.model},
                          {QStringLiteral("实盘"), count.counted}};
        if (count.countedAgainst) {
            entry.insert(QStringLiteral("账面"), *count.countedAgainst);
        }
        counts.append(entry);
    }
    const QJsonObject root{{QStringLiteral("品类"), draft.category},
                           {QStringLiteral("日期"), draft.day.toString(Qt::ISODate)},
                           {QStringLiteral("counts"), counts}};
    QSaveFile file(draftFile(book));
    return file.open(QIODevice::WriteOnly) &&
           file.write(QJsonDocument(root).toJson(QJsonDocument::Compact)) >= 0 && file.commit();
}

ReadResult<KeptDraft> loadCountDraft(const Book &book)
{
    QFile file(draftFile(book));
    if (!file.exists()) {
        return KeptDraft();
    }
    qint64 modelCount = 0;
    {
        Table models;
        if (!book.open(models, tables::型号)) {
            return models.fault();
        }
        modelCount = models.recordCount();
    }
    std::optional<CountDraft> draft;
    if (file.size() <= headerBytes + bytesPerCount * modelCount && file.open(QIODevice::ReadOnly)) {
        draft = parseDraft(file.readAll(), modelCount);
        file.close();
    }
    if (draft) {
        return KeptDraft{draft, KeptDraft::Damage::None};
    }
    QFile::remove(damagedFile(book));
    const bool setAside = QFile::rename(draftFile(book), damagedFile(book));
    return KeptDraft{std::nullopt,
                     setAside ? KeptDraft::Damage::SetAside : KeptDraft::Damage::NotSetAside};
}

bool discardCountDraft(const Book &book)
{
    return !QFile::exists(draftFile(book)) || QFile::remove(draftFile(book));
}

} // namespace kucun
