#include "DemoData.h"

#include "book/ChangeNotifier.h"
#include "store/Table.h"
#include "store/TableFiles.h"
#include "store/TableSchema.h"

#include <QDir>
#include <algorithm>
#include <random>
#include <vector>

namespace kucun {

namespace {

struct DemoItem
{
    const char *name;
    const char *unit;
    const char *models[3];
};

struct DemoCategory
{
    const char *name;
    DemoItem items[4];
};

const DemoCategory demoCatalogue[] = {
    {"五金工具",
     {{"扳手", "把", {"8寸", "10寸", "12寸"}},
      {"螺丝刀", "把", {"一字3mm", "十字5mm", "十件套"}},
      {"钳子", "把", {"尖嘴钳", "老虎钳", "斜口钳"}},
      {"锤子", "把", {"0.5kg", "1kg", "羊角锤"}}}},
    {"电工材料",
     {{"电线", "卷", {"1.5平方", "2.5平方", "4平方"}},
      {"开关", "个", {"单开", "双开", "三开"}},
      {"插座", "个", {"五孔", "十六安", "带USB"}},
      {"绝缘胶布", "卷", {"黑色", "红色", "高压"}}}},
    {"水暖配件",
     {{"水龙头", "个", {"单冷", "冷热", "厨房抽拉"}},
      {"阀门", "个", {"DN15", "DN20", "DN25"}},
      {"PPR管", "根", {"20mm", "25mm", "32mm"}},
      {"弯头", "个", {"20mm", "25mm", "32mm"}}}},
    {"劳保用品",
     {{"手套", "双", {"棉线", "乳胶", "帆布"}},
      {"口罩", "盒", {"一次性", "N95", "防尘"}},
      {"安全帽", "顶", {"ABS", "玻璃钢", "透气"}},
      {"雨衣", "件", {"分体", "连体", "反光"}}}},
    {"油漆涂料",
     {{"乳胶漆", "桶", {"白色", "米黄", "浅灰"}},
      {"防锈漆", "桶", {"红丹", "银粉", "灰色"}},
      {"腻子粉", "袋", {"内墙", "外墙", "耐水"}},
      {"刷子", "把", {"2寸", "3寸", "滚筒"}}}},
};

const char *const demoRemarks[] = {"", "常用", "热销", "整箱10个", "", "放二号货架", "", "进口"};

struct Movement
{
    QDate date;
    QString category, item, model, unit, remark;
    int in = 0;
    int out = 0;
};

QString text(const char *utf8)
{
    return QString::fromUtf8(utf8);
}

// False, with the reason, when a data table can't be read or holds a record.
bool tablesEmpty(const QDir &dir, QString *error)
{
    for (const QString &name : {tables::品类, tables::名称, tables::型号, tables::明细}) {
        Table table;
        const QString path = dir.filePath(tables::fileNameOf(name));
        if (!table.open(path, tablePassword())) {
            *error = QStringLiteral("无法打开数据文件：%1").arg(path);
            return false;
        }
        if (table.recordCount() > 0) {
            *error = QStringLiteral("数据表中已有数据，示例数据只能填入空的账本：%1").arg(path);
            return false;
        }
    }
    return true;
}

} // namespace

bool writeDemoData(const QString &dataDir, const QDate &today, QString *error)
{
    const QDir dir(dataDir);
    if (!tablesEmpty(dir, error)) {
        return false;
    }
    std::mt19937 random(20240503);
    const auto between = [&random](int low, int high) {
        return std::uniform_int_distribution<int>(low, high)(random);
    };
    const QDate firstDay = today.addMonths(-1).addDays(1 - today.addMonths(-1).day());
    const int days = int(firstDay.daysTo(today));

    std::vector<QVariantList> categories, items, models;
    std::vector<Movement> movements;
    int remarkIndex = 0;
    for (const DemoCategory &category : demoCatalogue) {
        categories.push_back({text(category.name)});
        for (const DemoItem &item : category.items) {
            items.push_back({text(category.name), text(item.name)});
            for (const char *model : item.models) {
                const QString remark = text(demoRemarks[remarkIndex++ % std::size(demoRemarks)]);
                Movement movement{firstDay.addDays(between(0, days / 3)),
                                  text(category.name),
                                  text(item.name),
                                  text(model),
                                  text(item.unit),
                                  QStringLiteral("进货"),
                                  between(20, 80),
                                  0};
                int stock = movement.in;
                movements.push_back(movement);
                for (int sale = between(1, 5); sale > 0; --sale) {
                    movement.date = movement.date.addDays(between(0, 6));
                    if (movement.date > today) {
                        movement.date = today;
                    }
                    movement.in = 0;
                    movement.out = between(1, std::max(1, stock / 3));
                    movement.remark = QString();
                    stock -= movement.out;
                    movements.push_back(movement);
                }
                models.push_back({text(category.name), text(item.name), text(model),
                                  text(item.unit), double(stock), remark});
            }
        }
    }
    std::stable_sort(movements.begin(), movements.end(),
                     [](const Movement &a, const Movement &b) { return a.date < b.date; });
    std::vector<QVariantList> log;
    for (const Movement &m : movements) {
        log.push_back({m.date, m.category, m.item, m.model, m.in ? QVariant(m.in) : QVariant(),
                       m.out ? QVariant(m.out) : QVariant(), m.unit, m.remark});
    }

    const auto write = [&dir, error](const QString &table, const std::vector<QVariantList> &rows) {
        return insertRecords(
            dir.filePath(tables::fileNameOf(table)), table, qint64(rows.size()),
            [&rows](qint64 i) { return rows[size_t(i)]; }, error);
    };
    return write(tables::品类, categories) && write(tables::名称, items) &&
           write(tables::型号, models) && write(tables::明细, log);
}

bool addDemoData(const QString &dataDir, const QDate &today, ChangeNotifier &changes,
                 QString *error)
{
    const bool written = writeDemoData(dataDir, today, error);
    // Also a write cut short leaves records the views must show.
    emit changes.catalogueChanged();
    emit changes.modelsChanged();
    emit changes.stockChanged();
    emit changes.movementsAdded();
    return written;
}

} // namespace kucun
