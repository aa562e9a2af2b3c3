#include "SyntheticShop.h"

#include "store/TableFiles.h"
#include "store/TableSchema.h"

#include <QDir>
#include <QStringList>
#include <random>

using namespace kucun;

namespace {

constexpr int categoryCount = 10;
constexpr int modelsPerItem = 10;

const QStringList &categoryNames()
{
    static const QStringList names = {QStringLiteral("五金工具"), QStringLiteral("电线电缆"),
                                      QStringLiteral("水暖管件"), QStringLiteral("油漆涂料"),
                                      QStringLiteral("紧固件"),   QStringLiteral("劳保用品"),
                                      QStringLiteral("灯具照明"), QStringLiteral("开关插座"),
                                      QStringLiteral("胶粘密封"), QStringLiteral("门窗配件")};
    return names;
}

// The goods of each category; an item is a material with one of them.
const QList<QStringList> &goodsOf()
{
    static const QList<QStringList> goods = {
        {QStringLiteral("扳手"), QStringLiteral("钳子"), QStringLiteral("螺丝刀"),
         QStringLiteral("锤子"), QStringLiteral("卷尺")},
        {QStringLiteral("护套线"), QStringLiteral("电源线"), QStringLiteral("网线"),
         QStringLiteral("电缆"), QStringLiteral("软线")},
        {QStringLiteral("弯头"), QStringLiteral("三通"), QStringLiteral("球阀"),
         QStringLiteral("水管"), QStringLiteral("直接")},
        {QStringLiteral("乳胶漆"), QStringLiteral("防锈漆"), QStringLiteral("腻子粉"),
         QStringLiteral("清漆"), QStringLiteral("底漆")},
        {QStringLiteral("螺栓"), QStringLiteral("螺母"), QStringLiteral("膨胀螺丝"),
         QStringLiteral("垫片"), QStringLiteral("铆钉")},
        {QStringLiteral("手套"), QStringLiteral("口罩"), QStringLiteral("安全帽"),
         QStringLiteral("护目镜"), QStringLiteral("雨靴")},
        {QStringLiteral("灯泡"), QStringLiteral("灯管"), QStringLiteral("筒灯"),
         QStringLiteral("吸顶灯"), QStringLiteral("射灯")},
        {QStringLiteral("插座"), QStringLiteral("开关"), QStringLiteral("插头"),
         QStringLiteral("排插"), QStringLiteral("面板")},
        {QStringLiteral("玻璃胶"), QStringLiteral("密封条"), QStringLiteral("生料带"),
         QStringLiteral("结构胶"), QStringLiteral("发泡胶")},
        {QStringLiteral("合页"), QStringLiteral("门锁"), QStringLiteral("拉手"),
         QStringLiteral("滑轨"), QStringLiteral("门吸")}};
    return goods;
}

const QStringList &materials()
{
    static const QStringList names = {
        QStringLiteral("不锈钢"), QStringLiteral("镀锌"), QStringLiteral("铜质"),
        QStringLiteral("铝合金"), QStringLiteral("塑料"), QStringLiteral("加厚"),
        QStringLiteral("国标"),   QStringLiteral("工业"), QStringLiteral("家用"),
        QStringLiteral("重型"),   QStringLiteral("轻型"), QStringLiteral("防水"),
        QStringLiteral("阻燃"),   QStringLiteral("白色"), QStringLiteral("黑色"),
        QStringLiteral("进口"),   QStringLiteral("经济"), QStringLiteral("精品"),
        QStringLiteral("耐高温"), QStringLiteral("防腐")};
    return names;
}

const QStringList &units()
{
    static const QStringList names = {
        QStringLiteral("个"), QStringLiteral("米"), QStringLiteral("盒"), QStringLiteral("卷"),
        QStringLiteral("箱"), QStringLiteral("套"), QStringLiteral("把"), QStringLiteral("桶")};
    return names;
}

const QStringList &remarks()
{
    static const QStringList names = {QString(),
                                      QStringLiteral("张师傅"),
                                      QStringLiteral("现金"),
                                      QStringLiteral("微信支付"),
                                      QStringLiteral("工地送货"),
                                      QString(),
                                      QStringLiteral("月结"),
                                      QStringLiteral("李老板订货")};
    return names;
}

} // namespace

QString syntheticCategory(int category)
{
    return categoryNames()[category % categoryCount];
}

// Items run through the categories in turn, so each holds a tenth of them.
QString syntheticItem(int item)
{
    const QStringList &goods = goodsOf()[item % categoryCount];
    const int serial = item / categoryCount;
    const QString name = materials()[serial % materials().size()] +
                         goods[(serial / materials().size()) % goods.size()];
    const int series = serial / (materials().size() * goods.size());
    return series == 0 ? name : name + QStringLiteral("%1系").arg(series + 1);
}

QString syntheticModel(int model)
{
    const int size = model % modelsPerItem;
    return QStringLiteral("%1号-%2×%3")
        .arg(QChar(u'A' + (model / modelsPerItem) % 26))
        .arg(size * 5 + 10)
        .arg((model / modelsPerItem) % 90 + 10);
}

SyntheticShop writeSyntheticShop(const QString &dir, int models, qint64 movements, int years)
{
    const QDir folder(dir);
    for (const QString &table : tables::allTableNames() + tables::ownTableNames()) {
        createTableFile(table == tables::设置 ? tables::settingsPath(dir)
                                              : folder.filePath(tables::fileNameOf(table)),
                        table);
    }
    SyntheticShop shop;
    shop.categories = categoryCount;
    shop.items = std::max(categoryCount, models / modelsPerItem);
    shop.models = shop.items * modelsPerItem;
    shop.movements = movements;
    shop.rareKeyword = QStringLiteral("退货");
    const auto path = [&folder](const QString &table) {
        return folder.filePath(tables::fileNameOf(table));
    };
    insertRecords(path(tables::品类), tables::品类, categoryCount,
                  [](qint64 i) { return QVariantList{syntheticCategory(int(i))}; });
    insertRecords(path(tables::名称), tables::名称, shop.items, [](qint64 i) {
        return QVariantList{syntheticCategory(int(i)), syntheticItem(int(i))};
    });
    insertRecords(path(tables::型号), tables::型号, shop.models, [](qint64 i) {
        const int item = int(i) / modelsPerItem;
        return QVariantList{syntheticCategory(item),
                            syntheticItem(item),
                            syntheticModel(int(i)),
                            units()[item % units().size()],
                            double(100 + (i * 7919) % 100000),
                            QStringLiteral("货架%1-%2").arg(QChar(u'A' + item % 8)).arg(i % 30)};
    });

    shop.lastDay = QDate::currentDate();
    shop.firstDay = shop.lastDay.addYears(-years).addDays(1);
    const qint64 days = shop.firstDay.daysTo(shop.lastDay) + 1;
    std::mt19937 random(7);
    insertRecords(path(tables::明细), tables::明细, movements, [&](qint64 i) {
        const int model = int(random() % unsigned(shop.models));
        const int item = model / modelsPerItem;
        const bool in = i % 3 == 0;
        const QString remark =
            i % 100 == 42 ? QStringLiteral("客户退货") : remarks()[size_t(i) % remarks().size()];
        return QVariantList{shop.firstDay.addDays(i * days / std::max<qint64>(1, movements)),
                            syntheticCategory(item),
                            syntheticItem(item),
                            syntheticModel(model),
                            in ? QVariant(20) : QVariant(),
                            in ? QVariant() : QVariant(2),
                            units()[item % units().size()],
                            remark};
    });
    shop.busyDay = shop.firstDay.addDays(days / 2);
    return shop;
}
