#pragma once

#include <QDate>
#include <QList>
#include <QString>
#include <QVariantList>
#include <memory>

namespace kucun::sql {
class Connection;
}

// What the store itself allows: the rows an operation reads, each table read
// with one SQLCipher statement on the same files, with nothing built from
// them; a write is its statements in one transaction, made on a twin of the
// files, so that the program stays the only writer of its own. Each returns the
// milliseconds taken, the rows read and the sum of the quantities read.
struct Floor
{
    double ms = 0;
    qint64 rows = 0;
    // Movements: stock-in minus stock-out; models: their stock.
    double quantity = 0;

    Floor &operator+=(const Floor &other);
};

class Floors
{
public:
    // Reads the table files in `folder`; writes their copies in `twinFolder`.
    Floors(const QString &folder, const QString &twinFolder);

    Floor categories() const;
    Floor items() const;
    Floor allModels() const;
    Floor modelsOfCategory(const QString &category) const;
    Floor modelsOfItem(const QString &category, const QString &item) const;
    Floor movementsOfDay(const QDate &day) const;
    // From the start of `from` up to `to` at 00:00:00, as the log page searches.
    Floor movementsBetween(const QDate &from, const QDate &to) const;
    // Every movement in the month of the day.
    Floor movementsOfMonth(const QDate &day) const;
    Floor movementsWithKeyword(const QString &keyword) const;
    // A model's movements, found by its texts, and its stock.
    Floor ledgerOf(const QString &category, const QString &item, const QString &model) const;
    // What each model named in the log booked in minus out after the day, one
    // row per model (quantity: their sum), and every model's stock. The
    // grouping terms are kept off the model index: walking it for a group
    // order would look up a million log rows one by one.
    Floor stockOnDay(const QDate &day) const;
    // The model bearing a code, found in 型号资料 by its index.
    Floor modelOfBarcode(const QString &code) const;
    // Every model with its 型号资料 row: what the stock value reads.
    Floor modelsWithPrices() const;
    // Every model and the 型号资料 rows with a minimum: what the 补货 list
    // reads. Its rows: the models below their minimum.
    Floor modelsBelowMinimum() const;
    // The movements of the month of the day, each joined with its 明细金额
    // record, in one statement.
    Floor pricedMovementsOfMonth(const QDate &day) const;
    // Counts the movements, as a program that has not counted them yet does.
    Floor movementCount() const;
    // Adds `in` and takes `out` from a model's stock, and logs the movement
    // on `day`, in one transaction over both files.
    Floor bookMovement(const QString &category, const QString &item, const QString &model, int in,
                       int out, const QDate &day) const;
    // A count that found one more of each of these models (record ids) on
    // `day`: each model read, its stock raised by 1 and the movement logged,
    // all in one transaction over both files.
    Floor bookCount(const QList<qint64> &modelIds, const QDate &day) const;
    // Adds a model with no stock in one transaction.
    Floor addModel(const QString &category, const QString &item, const QString &model) const;
    // Deletes these movements in one transaction.
    Floor deleteMovements(const QList<qint64> &ids) const;
    // Identities of movements in the twin, in record order, that do not hold the keyword.
    QList<qint64> movementsWithout(const QString &keyword, int count) const;
    // The 型号资料 rows of the first `count` models, as their labels read them.
    Floor labelRows(int count) const;
    // A model's stock as stored.
    double stockOf(const QString &category, const QString &item, const QString &model) const;

private:
    QString pathOf(const QString &table) const;
    QString twinPathOf(const QString &table) const;
    // The twin of 型号 with the twin of 明细 attached as "log".
    std::unique_ptr<kucun::sql::Connection> twinModelsWithLog() const;
    Floor read(const QString &table, const QString &sql, const QVariantList &parameters,
               int quantityColumn, int outColumn = -1) const;

    QString m_folder;
    QString m_twinFolder;
};
