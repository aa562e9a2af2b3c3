#include "CountDraft.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>

namespace kucun {

namespace {

const QString draftFile = QStringLiteral("盘点.json");

bool sameModel(const ModelRecord &a, const ModelRecord &b)
{
    return a.id == b.id && a.category == b.category && a.item == b.item && a.model == b.model;
}

} // namespace

CountDraft draftOf(const CountSheet &sheet)
{
    CountDraft draft{sheet.category, sheet.day, {}};
    for (const CountLine &line : sheet.lines) {
        if (line.counted) {
            draft.counts.push_back({line.model, *line.counted});
        }
    }
    return draft;
}

void applyDraft(const CountDraft &draft, CountSheet &sheet)
{
    for (const CountDraft::Count &count : draft.counts) {
        for (CountLine &line : sheet.lines) {
            if (sameModel(line.model, count.model)) {
                line.counted = count.counted;
                break;
            }
        }
    }
}

bool saveCountDraft(const CountDraft &draft)
{
    QJsonArray counts;
    for (const CountDraft::Count &count : draft.counts) {
        counts.append(QJsonObject{{QStringLiteral("id"), count.model.id},
                                  {QStringLiteral("品类"), count.model.category},
                                  {QStringLiteral("名称"), count.model.item},
                                  {QStringLiteral("型号"), count.model.model},
                                  {QStringLiteral("实盘"), count.counted}});
    }
    const QJsonObject root{{QStringLiteral("品类"), draft.category},
                           {QStringLiteral("日期"), draft.day.toString(Qt::ISODate)},
                           {QStringLiteral("counts"), counts}};
    QSaveFile file(draftFile);
    return file.open(QIODevice::WriteOnly) &&
           file.write(QJsonDocument(root).toJson(QJsonDocument::Compact)) >= 0 && file.commit();
}

std::optional<CountDraft> loadCountDraft()
{
    QFile file(draftFile);
    if (!file.open(QIODevice::ReadOnly)) {
        return std::nullopt;
    }
    const QJsonDocument document = QJsonDocument::fromJson(file.readAll());
    if (!document.isObject()) {
        return std::nullopt;
    }
    const QJsonObject root = document.object();
    CountDraft draft;
    draft.category = root.value(QStringLiteral("品类")).toString();
    draft.day = QDate::fromString(root.value(QStringLiteral("日期")).toString(), Qt::ISODate);
    if (!draft.day.isValid()) {
        return std::nullopt;
    }
    for (const QJsonValue &value : root.value(QStringLiteral("counts")).toArray()) {
        const QJsonObject count = value.toObject();
        const double counted = count.value(QStringLiteral("实盘")).toDouble(-1);
        if (counted < 0) {
            continue;
        }
        ModelRecord model;
        model.id = count.value(QStringLiteral("id")).toInteger();
        model.category = count.value(QStringLiteral("品类")).toString();
        model.item = count.value(QStringLiteral("名称")).toString();
        model.model = count.value(QStringLiteral("型号")).toString();
        draft.counts.push_back({model, counted});
    }
    return draft;
}

bool discardCountDraft()
{
    return !QFile::exists(draftFile) || QFile::remove(draftFile);
}

} // namespace kucun
