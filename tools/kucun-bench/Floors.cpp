#include "Floors.h"

#include "store/SqlCipher.h"
#include "store/TableSchema.h"

#include <QDir>
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

Floors::Floors(const QString &folder, const QString &twinFolder)
    : m_folder(folder), m_twinFolder(twinFolder)
{
}

QString Floors::pathOf(const QString &table) const
{
    return QDir(m_folder).filePath(tables::fileNameOf(table));
}

QString Floors::twinPathOf(const QString &table) const
{
    return QDir(m_twinFolder).filePath(tables::fileNameOf(table));
}

Floor Floors::read(const QString &table, const QString &sql, const QVariantList &parameters,
                   int quantityColumn, int outColumn) const
{
    QElapsedTimer clock;
    clock.start();
    Floor floor;
    const auto connection = sql::Connection::openExisting(pathOf(table), tablePassword());
    if (!connection) {
        floor.rows = -1;
        return floor;
    }
    sql::Statement statement(connection->handle(), sql);
    for (int i = 0; i < parameters.size(); ++i) {
        statement.bind(i + 1, parameters[i]);
    }
    qint64 bytes = 0;
    while (statement.step()) {
        // Every column is touched, so that SQLite decodes it.
        for (int column = 0; column < statement.columnCount(); ++column) {
            if (statement.isTextAt(column)) {
                bytes += qint64(statement.utf8At(column).size());
            }
        }
        if (quantityColumn >= 0) {
            floor.quantity += double(statement.int64At(quantityColumn));
        }
        if (outColumn >= 0) {
            floor.quantity -= double(statement.int64At(outColumn));
        }
        ++floor.rows;
    }
    if (statement.failed()) {
        floor.rows = -1;
    }
    floor.ms = millisecondsSince(clock) + (bytes < 0 ? 1 : 0);
    return floor;
}

Floor Floors::categories() const
{
    return read(tables::品类, QStringLiteral("SELECT rowid, 品类 FROM 品类"), {}, -1);
}

Floor Floors::items() const
{
    return read(tables::名称, QStringLiteral("SELECT rowid, 品类, 名称 FROM 名称"), {}, -1);
}

Floor Floors::allModels() const
{
    return read(tables::型号, QStringLiteral("SELECT ") + modelColumns, {}, 5);
}

Floor Floors::modelsOfCategory(const QString &category) const
{
    return read(tables::型号,
                QStringLiteral("SELECT ") + modelColumns + QStringLiteral(" WHERE 品类 = ?"),
                {category}, 5);
}

Floor Floors::modelsOfItem(const QString &category, const QString &item) const
{
    return read(tables::型号,
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
    return read(tables::明细,
                QStringLiteral("SELECT ") + movementColumns +
                    QStringLiteral(" WHERE 日期 >= ? AND 日期 <= ?"),
                {dayText(from), dayEndText(to)}, 5, 6);
}

Floor Floors::movementsOfMonth(const QDate &day) const
{
    const QDate first(day.year(), day.month(), 1);
    return read(tables::明细,
                QStringLiteral("SELECT ") + movementColumns +
                    QStringLiteral(" WHERE 日期 >= ? AND 日期 < ?"),
                {dayText(first), dayText(first.addMonths(1))}, 5, 6);
}

Floor Floors::movementsWithKeyword(const QString &keyword) const
{
    return read(tables::明细,
                QStringLiteral("SELECT ") + movementColumns +
                    QStringLiteral(" WHERE instr(ifnull(品类, ''), ?1) > 0 "
                                   "OR instr(ifnull(名称, ''), ?1) > 0 "
                                   "OR instr(ifnull(型号, ''), ?1) > 0 "
                                   "OR instr(ifnull(备注, ''), ?1) > 0"),
                {keyword}, 5, 6);
}

Floor Floors::ledgerOf(const QString &category, const QString &item, const QString &model) const
{
    Floor floor = read(tables::明细,
                       QStringLiteral("SELECT rowid, 日期, 入库, 出库, 备注 FROM 明细 "
                                      "WHERE 型号 = ? AND 品类 = ? AND 名称 = ?"),
                       {model, category, item}, 2, 3);
    Floor stock = read(tables::型号,
                       QStringLiteral("SELECT ") + modelColumns +
                           QStringLiteral(" WHERE 品类 = ? AND 名称 = ? AND 型号 = ?"),
                       {category, item, model}, 5);
    floor.ms += stock.ms;
    return floor;
}

Floor Floors::stockOnDay(const QDate &day) const
{
    Floor floor =
        read(tables::明细,
             QStringLiteral("SELECT 品类, 名称, 型号, total(入库) - total(出库) FROM 明细 "
                            "WHERE 日期 >= ? GROUP BY 品类, 名称, 型号"),
             {dayText(day.addDays(1))}, 3);
    Floor models = allModels();
    floor.ms += models.ms;
    return floor;
}

Floor Floors::modelOfBarcode(const QString &code) const
{
    return read(tables::型号资料,
                QStringLiteral("SELECT 品类, 名称, 型号 FROM 型号资料 WHERE 条码 = ?"), {code}, -1);
}

Floor Floors::modelsWithPrices() const
{
    Floor floor = allModels();
    floor += read(tables::型号资料,
                  QStringLiteral("SELECT rowid, 品类, 名称, 型号, 成本价 FROM 型号资料"), {}, -1);
    return floor;
}

Floor Floors::modelsBelowMinimum() const
{
    Floor floor = allModels();
    const Floor minimums =
        read(tables::型号资料,
             QStringLiteral("SELECT rowid, 品类, 名称, 型号, 最低库存, 补货至, 进价 FROM 型号资料 "
                            "WHERE 最低库存 IS NOT NULL"),
             {}, -1);
    floor.ms += minimums.ms;
    // The rows: counted apart, untimed, with both files in one statement.
    const auto models = sql::Connection::openExisting(pathOf(tables::型号), tablePassword());
    floor.rows = -1;
    if (models &&
        models->attach(pathOf(tables::型号资料), QStringLiteral("own"), tablePassword())) {
        sql::Statement count(models->handle(),
                             QStringLiteral("SELECT count(*) FROM 型号 m JOIN own.型号资料 p "
                                            "ON m.品类 = p.品类 AND m.名称 = p.名称 AND "
                                            "m.型号 = p.型号 WHERE m.库存 < p.最低库存"));
        if (count.step()) {
            floor.rows = count.int64At(0);
        }
    }
    return floor;
}

Floor Floors::labelRows(int count) const
{
    return read(tables::型号资料,
                QStringLiteral("SELECT 名称, 型号, 条码 FROM 型号资料 WHERE rowid <= ?"), {count},
                -1);
}

Floor Floors::pricedMovementsOfMonth(const QDate &day) const
{
    QElapsedTimer clock;
    clock.start();
    Floor floor;
    const auto log = sql::Connection::openExisting(pathOf(tables::明细), tablePassword());
    if (!log ||
        !log->attach(pathOf(tables::明细金额), QStringLiteral("amounts"), tablePassword())) {
        floor.rows = -1;
        return floor;
    }
    const QDate first(day.year(), day.month(), 1);
    sql::Statement statement(
        log->handle(),
        QStringLiteral("SELECT t.rowid, t.日期, t.品类, t.名称, t.型号, t.入库, t.出库, j.明细, "
                       "j.单价, j.成本价 FROM 明细 AS t LEFT JOIN amounts.明细金额 AS j "
                       "ON j.明细 = t.rowid WHERE t.日期 >= ? AND t.日期 < ?"));
    statement.bind(1, dayText(first));
    statement.bind(2, dayText(first.addMonths(1)));
    qint64 bytes = 0;
    while (statement.step()) {
        for (int column = 0; column < statement.columnCount(); ++column) {
            if (statement.isTextAt(column)) {
                bytes += qint64(statement.utf8At(column).size());
            }
        }
        floor.quantity += statement.doubleAt(5) - statement.doubleAt(6);
        ++floor.rows;
    }
    if (statement.failed()) {
        floor.rows = -1;
    }
    floor.ms = millisecondsSince(clock) + (bytes < 0 ? 1 : 0);
    return floor;
}

Floor Floors::movementCount() const
{
    Floor floor = read(tables::明细, QStringLiteral("SELECT count(*) FROM 明细"), {}, -1);
    if (floor.rows > 0) {
        floor.rows = 0; // the one row holds the count, not a movement
    }
    return floor;
}

std::unique_ptr<sql::Connection> Floors::twinModelsWithLog() const
{
    auto models = sql::Connection::openExisting(twinPathOf(tables::型号), tablePassword());
    if (!models ||
        !models->attach(twinPathOf(tables::明细), QStringLiteral("log"), tablePassword())) {
        return nullptr;
    }
    return models;
}

Floor Floors::bookMovement(const QString &category, const QString &item, const QString &model,
                           int in, int out, const QDate &day) const
{
    QElapsedTimer clock;
    clock.start();
    Floor floor;
    const auto models = twinModelsWithLog();
    bool done = models && models->exec(QStringLiteral("BEGIN IMMEDIATE"));
    if (done) {
        sql::Statement stock(models->handle(),
                             QStringLiteral("UPDATE 型号 SET 库存 = 库存 + ? WHERE 品类 = ? AND "
                                            "名称 = ? AND 型号 = ?"));
        stock.bind(1, in - out);
        stock.bind(2, category);
        stock.bind(3, item);
        stock.bind(4, model);
        stock.step();
        sql::Statement movement(models->handle(),
                                QStringLiteral("INSERT INTO log.明细 (日期, 品类, 名称, 型号, "
                                               "入库, 出库, 单位, 备注) VALUES (?, ?, ?, ?, ?, "
                                               "?, ?, ?)"));
        const QVariantList values{day.toString(QStringLiteral("yyyy-MM-dd 00:00:00")),
                                  category,
                                  item,
                                  model,
                                  in,
                                  out,
                                  QStringLiteral("个"),
                                  QString()};
        for (int i = 0; i < values.size(); ++i) {
            movement.bind(i + 1, values[i]);
        }
        movement.step();
        done = !stock.failed() && !movement.failed() && models->exec(QStringLiteral("COMMIT"));
    }
    floor.ms = millisecondsSince(clock);
    floor.rows = done ? 1 : -1;
    return floor;
}

Floor Floors::bookCount(const QList<qint64> &modelIds, const QDate &day) const
{
    QElapsedTimer clock;
    clock.start();
    Floor floor;
    const auto models = twinModelsWithLog();
    bool done = models && models->exec(QStringLiteral("BEGIN IMMEDIATE"));
    if (done) {
        sql::Statement read(models->handle(),
                            QStringLiteral("SELECT 品类, 名称, 型号, 单位, 库存 FROM 型号 "
                                           "WHERE rowid = ?"));
        sql::Statement stock(models->handle(),
                             QStringLiteral("UPDATE 型号 SET 库存 = 库存 + 1 WHERE rowid = ?"));
        sql::Statement movement(models->handle(),
                                QStringLiteral("INSERT INTO log.明细 (日期, 品类, 名称, 型号, "
                                               "入库, 出库, 单位, 备注) VALUES (?, ?, ?, ?, 1, "
                                               "NULL, ?, '盘点')"));
        const QString dayText = day.toString(QStringLiteral("yyyy-MM-dd 00:00:00"));
        for (const qint64 id : modelIds) {
            read.reset();
            read.bind(1, id);
            done = done && read.step();
            stock.reset();
            stock.bind(1, id);
            stock.step();
            movement.reset();
            const QVariantList values{dayText, read.valueAt(0), read.valueAt(1), read.valueAt(2),
                                      read.valueAt(3)};
            for (int i = 0; i < values.size(); ++i) {
                movement.bind(i + 1, values[i]);
            }
            movement.step();
            done = done && !stock.failed() && !movement.failed();
        }
        done = done && models->exec(QStringLiteral("COMMIT"));
    }
    floor.ms = millisecondsSince(clock);
    floor.rows = done ? modelIds.size() : -1;
    return floor;
}

Floor Floors::addModel(const QString &category, const QString &item, const QString &model) const
{
    QElapsedTimer clock;
    clock.start();
    Floor floor;
    const auto models = sql::Connection::openExisting(twinPathOf(tables::型号), tablePassword());
    bool done = models && models->exec(QStringLiteral("BEGIN IMMEDIATE"));
    if (done) {
        sql::Statement insert(
            models->handle(),
            QStringLiteral("INSERT INTO 型号 (品类, 名称, 型号, 单位, 库存, 备注) "
                           "VALUES (?, ?, ?, ?, 0, '')"));
        insert.bind(1, category);
        insert.bind(2, item);
        insert.bind(3, model);
        insert.bind(4, QStringLiteral("个"));
        insert.step();
        done = !insert.failed() && models->exec(QStringLiteral("COMMIT"));
    }
    floor.ms = millisecondsSince(clock);
    floor.rows = done ? 1 : -1;
    return floor;
}

Floor Floors::deleteMovements(const QList<qint64> &ids) const
{
    QElapsedTimer clock;
    clock.start();
    Floor floor;
    const auto log = sql::Connection::openExisting(twinPathOf(tables::明细), tablePassword());
    bool done = log && log->exec(QStringLiteral("BEGIN IMMEDIATE"));
    if (done) {
        sql::Statement remove(log->handle(), QStringLiteral("DELETE FROM 明细 WHERE rowid IN (%1)")
                                                 .arg(sql::placeholders(int(ids.size()))));
        for (int i = 0; i < ids.size(); ++i) {
            remove.bind(i + 1, ids[i]);
        }
        remove.step();
        done = !remove.failed() && log->exec(QStringLiteral("COMMIT"));
    }
    floor.ms = millisecondsSince(clock);
    floor.rows = done ? ids.size() : -1;
    return floor;
}

QList<qint64> Floors::movementsWithout(const QString &keyword, int count) const
{
    QList<qint64> ids;
    const auto log = sql::Connection::openExisting(twinPathOf(tables::明细), tablePassword());
    if (!log) {
        return ids;
    }
    sql::Statement select(
        log->handle(), QStringLiteral("SELECT rowid FROM 明细 WHERE instr(ifnull(备注, ''), ?) = "
                                      "0 ORDER BY rowid LIMIT ?"));
    select.bind(1, keyword);
    select.bind(2, count);
    while (select.step()) {
        ids.append(select.int64At(0));
    }
    return ids;
}

double Floors::stockOf(const QString &category, const QString &item, const QString &model) const
{
    const auto models = sql::Connection::openExisting(pathOf(tables::型号), tablePassword());
    if (!models) {
        return -1;
    }
    sql::Statement select(models->handle(),
                          QStringLiteral("SELECT 库存 FROM 型号 WHERE 品类 = ? AND 名称 = ? AND "
                                         "型号 = ?"));
    select.bind(1, category);
    select.bind(2, item);
    select.bind(3, model);
    return select.step() ? select.valueAt(0).toDouble() : -1;
}
