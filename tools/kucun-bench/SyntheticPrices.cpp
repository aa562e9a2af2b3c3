#include "SyntheticPrices.h"

#include "store/TableFiles.h"
#include "store/TableSchema.h"

#include <QDir>

using namespace kucun;

QString syntheticBarcode(int model)
{
    return QStringLiteral("69%1").arg(model, 11, 10, QLatin1Char('0'));
}

void writeSyntheticPrices(const QString &dir, const SyntheticShop &shop)
{
    const QDir folder(dir);
    const auto path = [&folder](const QString &table) {
        return folder.filePath(tables::fileNameOf(table));
    };
    for (const QString &table : tables::ownTableNames()) {
        createTableFile(path(table), table);
    }
    constexpr int modelsPerItem = 10;
    insertRecords(path(tables::型号资料), tables::型号资料, shop.models, [](qint64 i) {
        const int item = int(i) / modelsPerItem;
        const double bought = 5 + double(i % 50) + 0.25;
        return QVariantList{syntheticCategory(item), syntheticItem(item), syntheticModel(int(i)),
                            i % 10 == 0 ? QVariant(syntheticBarcode(int(i))) : QVariant(), bought,
                            bought * 1.3, bought + 0.125,
                            // A third of the models have a minimum, a sixth
                            // a level to reorder to; the stock of about one
                            // in five of them lies below it.
                            i % 3 == 0 ? QVariant(20000.0) : QVariant(),
                            i % 6 == 0 ? QVariant(30000.0) : QVariant()};
    });
    const qint64 unpriced = shop.movements / 2;
    insertRecords(path(tables::明细金额), tables::明细金额, shop.movements - unpriced,
                  [unpriced](qint64 i) {
                      const qint64 id = unpriced + i + 1;
                      // One in ten without a price typed.
                      const QVariant price = id % 10 == 0 ? QVariant() : QVariant(10.0 + id % 7);
                      return QVariantList{id, price, 8.5 + double(id % 5) / 8};
                  });
}
