#include "Floors.h"

#include "store/Session.h"
#include "store/TableSchema.h"

#include <QElapsedTimer>

using namespace kucun;

namespace {

QString dayText(const QDate &day)
{
    return day.toString(QStringLiteral("yyyy-MM-dd"));
}

// The last moment a date search takes in: the day's start, as the log page reads it.
QString dayEndText(const QDate &day)
{
    return day.toString(QStringLiteral("yyyy-MM-dd 00:00:00"));
}

double millisecondsSince(const QElapsedTimer &clock)
{
    return double(clock.nsecsElapsed()) / 1e6;
}

const QString modelColumns = QStringLiteral("rowid, 品类, 名称, 型号, 单位, 库存, 备注 FROM 型号");
const QString movementColumns =
    QStringLiteral("rowid, 日期, 品类, 名称, 型号, 入库, 出库, 单位, 备注 FROM 明细");

} // namespace

Floor &Floor::operator+=(const Floor &other)
{
    ms += other.ms;
    rows += other.rows;
    quantity += other.quantity;
    return *this;
}

Floor Floors::read(const QStringList &tables, const QString &sql, const QVariantList &parameters,
                   int quantityColumn, int outColumn) const
{
    QElapsedTimer clock;
    clock.start();
    Floor floor;
    qint64 bytes = 0;
    const auto store = session(Side::Book, tables);
    const bool read = store && forEachRow(*store, sql, parameters, [&](const sql::Rows &rows) {
                          // Every column is touched, so that the store decodes it.
                          for (int column = 0; column < rows.columnCount(); ++column) {
                              if (rows.isTextAt(column)) {
                                  bytes += qint64(rows.utf8At(column).size());
                              }
                          }
                          if (quantityColumn >= 0) {
                              floor.quantity += rows.doubleAt(quantityColumn);
                          }
                          if (outColumn >= 0) {
                              floor.quantity -= rows.doubleAt(outColumn);
                          }
                          ++floor.rows;
                      });
    if (!read) {
        floor.rows = -1;
    }
    floor.ms = millisecondsSince(clock) + (bytes < 0 ? 1 : 0);
    return floor;
}

bool Floors::forEachRow(sql::Session &store, const QString &sql, const QVariantList &parameters,
                        const std::function<void(const sql::Rows &)> &row) const
{
    const std::unique_ptr<sql::Rows> rows = store.query(sql, parameters);
    if (!rows->isValid()) {
        return false;
    }
    while (rows->step()) {
        row(*rows);
    }
    return !rows->failed();
}

Floor Floors::write(const QStringList &tables, const QList<Statement> &statements) const
{
    QElapsedTimer clock;
    clock.start();
    Floor floor;
    const auto twin = session(Side::Twin, tables);
    bool done = twin && twin->beginWriting();
    for (const auto &[sql, parameters] : statements) {
        if (!done) {
            break;
        }
        const std::unique_ptr<sql::Rows> rows = twin->query(sql, parameters);
        done = rows->isValid() && (rows->step() || !rows->failed());
    }
    done = done && twin->exec(QStringLiteral("COMMIT"));
    if (!done && twin) {
        twin->exec(QStringLiteral("ROLLBACK"));
    }
    floor.ms = millisecondsSince(clock);
    floor.rows = done ? 1 : -1;
    return floor;
}

QVariantList Floors::firstColumn(Side side, const QStringList &tables, const QString &sql,
                                 const QVariantList &parameters) const
{
    QVariantList values;
    const auto store = session(side, tables);
    const std::unique_ptr<sql::Rows> rows = store ? store->query(sql, parameters) : nullptr;
    while (rows && rows->step()) {
        values.append(rows->valueAt(0));
    }
    return values;
}

Floor Floors::categories() const
{
    return read({tables::品类}, QStringLiteral("SELECT rowid, 品类 FROM 品类"));
}

Floor Floors::items() const
{
    return read({tables::名称}, QStringLiteral("SELECT rowid, 品类, 名称 FROM 名称"));
}

Floor Floors::allModels() const
{
    return read({tables::型号}, QStringLiteral("SELECT ") + modelColumns, {}, 5);
}

Floor Floors::modelsOfCategory(const QString &category) const
{
    return read({tables::型号},
                QStringLiteral("SELECT ") + modelColumns + QStringLiteral(" WHERE 品类 = ?"),
                {category}, 5);
}

Floor Floors::modelsOfItem(const QString &category, const QString &item) const
{
    return read({tables::型号},
                QStringLiteral("SELECT ") + modelColumns +
                    QStringLiteral(" WHERE 品类 = ? AND 名称 = ?"),
                {category, item}, 5);
}

Floor Floors::movementsOfDay(const QDate &day) const
{
    return movementsBetween(day, day);
}

Floor Floors::movementsBetween(const QDate &from, const QDate &to) const
{
    return read({tables::明细},
                QStringLiteral("SELECT ") + movementColumns +
                    QStringLiteral(" WHERE 日期 >= ? AND 日期 <= ?"),
                {dayText(from), dayEndText(to)}, 5, 6);
}

Floor Floors::movementsOfMonth(const QDate &day) const
{
    const QDate first(day.year(), day.month(), 1);
    return read({tables::明细},
                QStringLiteral("SELECT ") + movementColumns +
                    QStringLiteral(" WHERE 日期 >= ? AND 日期 < ?"),
                {dayText(first), dayText(first.addMonths(1))}, 5, 6);
}

Floor Floors::movementsWithKeyword(const QString &keyword) const
{
    return read({tables::明细},
                QStringLiteral("SELECT ") + movementColumns +
                    QStringLiteral(" WHERE instr(coalesce(品类, ''), ?) > 0 "
                                   "OR instr(coalesce(名称, ''), ?) > 0 "
                                   "OR instr(coalesce(型号, ''), ?) > 0 "
                                   "OR instr(coalesce(备注, ''), ?) > 0"),
                {keyword, keyword, keyword, keyword}, 5, 6);
}

Floor Floors::ledgerOf(const QString &category, const QString &item, const QString &model) const
{
    Floor floor = read({tables::明细},
                       QStringLiteral("SELECT rowid, 日期, 入库, 出库, 备注 FROM 明细 "
                                      "WHERE 型号 = ? AND 品类 = ? AND 名称 = ?"),
                       {model, category, item}, 2, 3);
    Floor stock = read({tables::型号},
                       QStringLiteral("SELECT ") + modelColumns +
                           QStringLiteral(" WHERE 品类 = ? AND 名称 = ? AND 型号 = ?"),
                       {category, item, model}, 5);
    floor.ms += stock.ms;
    return floor;
}

Floor Floors::stockOnDay(const QDate &day) const
{
    Floor floor = read({tables::明细},
                       QStringLiteral("SELECT 品类, 名称, 型号, "
                                      "coalesce(sum(入库), 0) - coalesce(sum(出库), 0) FROM 明细 "
                                      "WHERE 日期 >= ? GROUP BY 品类, 名称, 型号"),
                       {dayText(day.addDays(1))}, 3);
    Floor models = allModels();
    floor.ms += models.ms;
    return floor;
}

Floor Floors::modelOfBarcode(const QString &code) const
{
    return read({tables::型号资料},
                QStringLiteral("SELECT 品类, 名称, 型号 FROM 型号资料 WHERE 条码 = ?"), {code});
}

Floor Floors::modelsWithPrices() const
{
    Floor floor = allModels();
    floor += read({tables::型号资料},
                  QStringLiteral("SELECT rowid, 品类, 名称, 型号, 成本价 FROM 型号资料"));
    return floor;
}

Floor Floors::modelsBelowMinimum() const
{
    Floor floor = allModels();
    const Floor minimums =
        read({tables::型号资料},
             QStringLiteral("SELECT rowid, 品类, 名称, 型号, 最低库存, 补货至, 进价 FROM 型号资料 "
                            "WHERE 最低库存 IS NOT NULL"));
    floor.ms += minimums.ms;
    // The rows: counted apart, untimed, with both tables in one statement.
    const QVariantList count = firstColumn(
        Side::Book, {tables::型号, tables::型号资料},
        QStringLiteral("SELECT count(*) FROM 型号 m JOIN 型号资料 p ON m.品类 = p.品类 AND "
                       "m.名称 = p.名称 AND m.型号 = p.型号 WHERE m.库存 < p.最低库存"),
        {});
    floor.rows = count.isEmpty() ? -1 : count.first().toLongLong();
    return floor;
}

Floor Floors::labelRows(int count) const
{
    return read({tables::型号资料},
                QStringLiteral("SELECT 名称, 型号, 条码 FROM 型号资料 WHERE rowid <= ?"), {count});
}

Floor Floors::pricedMovementsOfMonth(const QDate &day) const
{
    const QDate first(day.year(), day.month(), 1);
    return read({tables::明细, tables::明细金额},
                QStringLiteral("SELECT t.rowid, t.日期, t.品类, t.名称, t.型号, t.入库, t.出库, "
                               "j.明细, j.单价, j.成本价 FROM 明细 AS t LEFT JOIN 明细金额 AS j "
                               "ON j.明细 = t.rowid WHERE t.日期 >= ? AND t.日期 < ?"),
                {dayText(first), dayText(first.addMonths(1))}, 5, 6);
}

Floor Floors::movementCount() const
{
    Floor floor = read({tables::明细}, QStringLiteral("SELECT count(*) FROM 明细"));
    if (floor.rows > 0) {
        floor.rows = 0; // the one row holds the count, not a movement
    }
    return floor;
}

Floor Floors::bookMovement(const QString &category, const QString &item, const QString &model,
                           int in, int out, const QDate &day) const
{
    return write(
        {tables::型号, tables::明细},
        {{QStringLiteral(
              "UPDATE 型号 SET 库存 = 库存 + ? WHERE 品类 = ? AND 名称 = ? AND 型号 = ?"),
          {in - out, category, item, model}},
         {QStringLiteral("INSERT INTO 明细 (日期, 品类, 名称, 型号, 入库, 出库, 单位, 备注) "
                         "VALUES (?, ?, ?, ?, ?, ?, ?, ?)"),
          {dayEndText(day), category, item, model, in, out, QStringLiteral("个"), QString()}}});
}

Floor Floors::bookCount(const QList<qint64> &modelIds, const QDate &day) const
{
    // Each movement takes its texts from the model's record.
    const auto ofModel = [](const QString &field) {
        return QStringLiteral("(SELECT %1 FROM 型号 WHERE rowid = ?)").arg(field);
    };
    const QString logged =
        QStringLiteral("INSERT INTO 明细 (日期, 品类, 名称, 型号, 入库, 出库, 单位, 备注) "
                       "VALUES (?, %1, %2, %3, 1, NULL, %4, '盘点')")
            .arg(ofModel(QStringLiteral("品类")), ofModel(QStringLiteral("名称")),
                 ofModel(QStringLiteral("型号")), ofModel(QStringLiteral("单位")));
    QList<Statement> statements;
    for (const qint64 id : modelIds) {
        statements.append(
            {QStringLiteral("UPDATE 型号 SET 库存 = 库存 + 1 WHERE rowid = ?"), {id}});
        statements.append({logged, {dayEndText(day), id, id, id, id}});
    }
    Floor floor = write({tables::型号, tables::明细}, statements);
    floor.rows = floor.rows < 0 ? -1 : modelIds.size();
    return floor;
}

Floor Floors::addModel(const QString &category, const QString &item, const QString &model) const
{
    return write({tables::型号},
                 {{QStringLiteral("INSERT INTO 型号 (品类, 名称, 型号, 单位, 库存, 备注) "
                                  "VALUES (?, ?, ?, ?, 0, '')"),
                   {category, item, model, QStringLiteral("个")}}});
}

Floor Floors::deleteMovements(const QList<qint64> &ids) const
{
    QVariantList values;
    for (const qint64 id : ids) {
        values.append(id);
    }
    QStringList marks(ids.size(), QStringLiteral("?"));
    Floor floor = write(
        {tables::明细},
        {{QStringLiteral("DELETE FROM 明细 WHERE rowid IN (%1)").arg(marks.join(QLatin1Char(','))),
          values}});
    floor.rows = floor.rows < 0 ? -1 : ids.size();
    return floor;
}

QList<qint64> Floors::movementsWithout(const QString &keyword, int count) const
{
    QList<qint64> ids;
    const QVariantList found =
        firstColumn(Side::Twin, {tables::明细},
                    QStringLiteral("SELECT rowid FROM 明细 WHERE instr(coalesce(备注, ''), ?) = 0 "
                                   "ORDER BY rowid LIMIT ?"),
                    {keyword, count});
    for (const QVariant &id : found) {
        ids.append(id.toLongLong());
    }
    return ids;
}

double Floors::stockOf(const QString &category, const QString &item, const QString &model) const
{
    const QVariantList stock = firstColumn(
        Side::Book, {tables::型号},
        QStringLiteral("SELECT 库存 FROM 型号 WHERE 品类 = ? AND 名称 = ? AND 型号 = ?"),
        {category, item, model});
    return stock.isEmpty() ? -1 : stock.first().toDouble();
}
