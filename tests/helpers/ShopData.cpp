#include "ShopData.h"

#include "TestTables.h"
#include "store/TableSchema.h"

namespace kucun::test {

void addSmallShop(TestTables &files)
{
    files.createAll();
    files.add(tables::品类, {QStringLiteral("五金")});
    files.add(tables::品类, {QStringLiteral("电工")});
    files.add(tables::名称, {QStringLiteral("五金"), QStringLiteral("扳手")});
    files.add(tables::名称, {QStringLiteral("五金"), QStringLiteral("钳子")});
    files.add(tables::名称, {QStringLiteral("电工"), QStringLiteral("电线")});
    const auto model = [&files](const char *category, const char *item, const char *name,
                                double stock, const char *unit, const char *remark) {
        files.add(tables::型号,
                  {QString::fromUtf8(category), QString::fromUtf8(item), QString::fromUtf8(name),
                   QString::fromUtf8(unit), stock, QString::fromUtf8(remark)});
    };
    model("五金", "扳手", "8寸", 10, "把", "常用");
    model("五金", "扳手", "10寸", 2, "把", "");
    model("五金", "钳子", "8寸", 5, "把", "尖嘴");
    model("电工", "电线", "2.5平方", 2.5, "卷", "红色");
    model("电工", "电线", "4平方", 2.5, "卷", "");
}

void addMovement(TestTables &files, const QDate &date, const QString &category, const QString &item,
                 const QString &model, double in, double out, const QString &unit,
                 const QString &remark)
{
    files.add(tables::明细, {date, category, item, model, in != 0 ? QVariant(in) : QVariant(),
                             out != 0 ? QVariant(out) : QVariant(), unit, remark});
}

} // namespace kucun::test
