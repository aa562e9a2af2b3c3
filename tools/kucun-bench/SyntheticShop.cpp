#include "SyntheticShop.h"

#include "store/TableFiles.h"
#include "store/TableSchema.h"

#include <QDir>
#include <random>

using namespace kucun;

SyntheticShop writeSyntheticShop(const QString &dir, int models, int movements)
{
    const QDir folder(dir);
    for (const QString &table : tables::allTableNames()) {
        createTableFile(table == tables::设置 ? tables::settingsPath(dir)
                                              : folder.filePath(tables::fileNameOf(table)),
                        table);
    }
    const int categories = 100;
    const int items = std::max(1, models / 10);
    const auto category = [](int i) { return QStringLiteral("品类%1").arg(i); };
    const auto item = [](int i) { return QStringLiteral("名称%1").arg(i); };
    const auto path = [&folder](const QString &table) {
        return folder.filePath(tables::fileNameOf(table));
    };
    insertRecords(path(tables::品类), tables::品类, categories,
                  [&](int i) { return QVariantList{category(i)}; });
    insertRecords(path(tables::名称), tables::名称, items, [&](int i) {
        return QVariantList{category(i % categories), item(i)};
    });
    insertRecords(path(tables::型号), tables::型号, models, [&](int i) {
        const int owner = i / 10;
        return QVariantList{
            category(owner % categories), item(owner), QStringLiteral("型号%1").arg(i),
            QStringLiteral("个"),         1000000.0,   QStringLiteral("备注%1").arg(i % 50)};
    });

    SyntheticShop shop;
    shop.lastDay = QDate::currentDate();
    shop.firstDay = shop.lastDay.addYears(-10);
    const qint64 days = shop.firstDay.daysTo(shop.lastDay) + 1;
    std::mt19937 random(7);
    insertRecords(path(tables::明细), tables::明细, movements, [&](int i) {
        const int model = int(random() % unsigned(models));
        const int owner = model / 10;
        const bool in = i % 3 == 0;
        return QVariantList{shop.firstDay.addDays(qint64(i) * days / std::max(1, movements)),
                            category(owner % categories),
                            item(owner),
                            QStringLiteral("型号%1").arg(model),
                            in ? QVariant(5) : QVariant(),
                            in ? QVariant() : QVariant(1),
                            QStringLiteral("个"),
                            QString()};
    });
    shop.busyDay = shop.firstDay.addDays(days / 2);
    return shop;
}
