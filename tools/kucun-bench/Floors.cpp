#include "Floors.h"

#include "store/SqlCipher.h"
#include "store/TableSchema.h"

#include <QElapsedTimer>

using namespace kucun;

namespace {

double timeStatement(const QString &logPath, const QString &sql, const QVariantList &parameters,
                     qint64 *rows)
{
    QElapsedTimer clock;
    clock.start();
    const auto log = sql::Connection::openExisting(logPath, tablePassword());
    if (!log) {
        return -1;
    }
    sql::Statement statement(log->handle(), sql);
    for (int i = 0; i < parameters.size(); ++i) {
        statement.bind(i + 1, parameters[i]);
    }
    qint64 read = 0;
    double sum = 0;
    while (statement.step()) {
        // Touch every column so that SQLite decodes it.
        for (int column = 0; column < statement.columnCount(); ++column) {
            sum += statement.isTextAt(column) ? double(statement.utf8At(column).size())
                                              : double(statement.int64At(column));
        }
        ++read;
    }
    *rows = read;
    return double(clock.nsecsElapsed()) / 1e6 + (sum < 0 ? 1 : 0);
}

} // namespace

double keywordSearchFloorMs(const QString &logPath, const QString &keyword, qint64 *rows)
{
    return timeStatement(
        logPath,
        QStringLiteral("SELECT rowid, 入库, 出库 FROM 明细 WHERE instr(ifnull(品类, ''), ?1) > 0 "
                       "OR instr(ifnull(名称, ''), ?1) > 0 OR instr(ifnull(型号, ''), ?1) > 0 "
                       "OR instr(ifnull(备注, ''), ?1) > 0"),
        {keyword}, rows);
}

double dateSearchFloorMs(const QString &logPath, const QDate &from, const QDate &to, qint64 *rows)
{
    return timeStatement(logPath,
                         QStringLiteral("SELECT rowid, 入库, 出库, 日期 FROM 明细 NOT INDEXED "
                                        "WHERE 日期 >= ? AND 日期 <= ?"),
                         {from.toString(QStringLiteral("yyyy-MM-dd")),
                          to.toString(QStringLiteral("yyyy-MM-dd 00:00:00"))},
                         rows);
}
