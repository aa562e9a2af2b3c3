#include "CategoryReport.h"

#include "store/Table.h"
#include "store/TableSchema.h"

#include <QSet>

namespace kucun {

ReadResult<CategoryReport> queryCategoryReport(const Book &book, const CategoryQuery &query)
{
    QList<std::pair<QString, QString>> equalTexts{{fields::品类, query.category}};
    if (query.level >= 2) {
        equalTexts.append({fields::名称, query.item});
    }
    if (query.level >= 3) {
        equalTexts.append({fields::型号, query.model});
    }
    ReadResult<std::vector<ModelRecord>> models =
        readModelsMatching(book, RecordFilter::textsEqual(equalTexts));
    if (!models) {
        return models.fault();
    }

    CategoryReport report;
    QSet<QString> listed;
    for (const ModelRecord &model : *models) {
        const QString *choice = query.level == 1   ? &model.item
                                : query.level == 2 ? &model.model
                                                   : nullptr;
        if (choice && !listed.contains(*choice)) {
            listed.insert(*choice);
            report.nextChoices.append(*choice);
        }
    }
    report.models = std::move(*models);
    return report;
}

} // namespace kucun
