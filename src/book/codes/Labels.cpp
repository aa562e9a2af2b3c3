#include "Labels.h"

#include "book/money/ModelPrices.h"
#include "store/Table.h"
#include "store/TableSchema.h"

namespace kucun {

bool isEan13(const QString &code)
{
    if (code.size() != 13) {
        return false;
    }
    int sum = 0;
    for (qsizetype i = 0; i < 13; ++i) {
        const QChar digit = code[i];
        if (digit < u'0' || digit > u'9') {
            return false;
        }
        // Weights 1, 3, 1, 3, … from the left; the check digit weighs 1.
        sum += (digit.unicode() - u'0') * (i % 2 == 0 ? 1 : 3);
    }
    return sum % 10 == 0;
}

Symbology symbologyOf(const QString &code)
{
    return isEan13(code) ? Symbology::Ean13 : Symbology::Code128;
}

ReadResult<QList<LabelModel>> readLabelModels(const Book &book, const QList<ModelKey> &models)
{
    Table rows;
    if (!book.open(rows, tables::型号资料)) {
        return rows.fault();
    }
    QList<LabelModel> labels;
    labels.reserve(models.size());
    for (const ModelKey &model : models) {
        LabelModel label{model.item, model.model, QString()};
        if (!rows.forEachMatching(modelRowFilter(model), [&label](const Record &row) {
                label.code = row.text(fields::条码);
            })) {
            return rows.fault();
        }
        labels << label;
    }
    return labels;
}

} // namespace kucun
