#pragma once

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>
#include <QVariantList>
#include <functional>
#include <memory>
#include <utility>

namespace kucun::sql {
class Rows;
class Session;
} // namespace kucun::sql

// What the store itself allows: the rows an operation reads, each table read
// with one statement on the store the window uses, with nothing built from
// them; a write is its statements in one transaction, made on a twin of the
// book, so that the program stays the only writer of its own. Each returns the
// milliseconds taken, the rows read and the sum of the quantities read.
struct Floor
{
    double ms = 0;
    qint64 rows = 0;
    // Movements: stock-in minus stock-out; models: their stock.
    double quantity = 0;

    Floor &operator+=(const Floor &other);
};

// The floors of every timed action. The statements are written once, in
// words both stores take; a store gives the reads, the writes and the
// untimed lookups the checks need.
class Floors
{
public:
    virtual ~Floors() = default;

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
    // on `day`, in one transaction.
    Floor bookMovement(const QString &category, const QString &item, const QString &model, int in,
                       int out, const QDate &day) const;
    // A count that found one more of each of these models (record ids) on
    // `day`: each model's stock raised by 1 and the movement logged, all in
    // one transaction.
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

protected:
    enum class Side
    {
        Book, // what the window shows
        Twin, // where the floors write
    };
    // A session over these tables of the book or of its twin, the first
    // table's own when the store keeps each table apart; null when it can't
    // be opened.
    virtual std::shared_ptr<kucun::sql::Session> session(Side side,
                                                         const QStringList &tables) const = 0;
    // Hands each row of one SELECT to `row`, stepping through the
    // statement; false when it failed.
    virtual bool forEachRow(kucun::sql::Session &store, const QString &sql,
                            const QVariantList &parameters,
                            const std::function<void(const kucun::sql::Rows &)> &row) const;

private:
    using Statement = std::pair<QString, QVariantList>;

    // One SELECT over `tables` of the book, every value of every row
    // touched; the quantity is the sum of quantityColumn minus outColumn.
    // Rows -1 when it failed.
    Floor read(const QStringList &tables, const QString &sql, const QVariantList &parameters = {},
               int quantityColumn = -1, int outColumn = -1) const;
    // The statements in one transaction on the twin's `tables`.
    Floor write(const QStringList &tables, const QList<Statement> &statements) const;
    // The first column of each row a SELECT gives, untimed.
    QVariantList firstColumn(Side side, const QStringList &tables, const QString &sql,
                             const QVariantList &parameters) const;
};

// The floors on table files, each statement on the file of its first table
// with the others attached. The writes go to copies of the files in a twin
// folder.
class FileFloors : public Floors
{
public:
    FileFloors(const QString &folder, const QString &twinFolder);

protected:
    std::shared_ptr<kucun::sql::Session> session(Side side,
                                                 const QStringList &tables) const override;

private:
    QString m_folder;
    QString m_twinFolder;
};

// The floors on a server book, each through one session kept open, as the
// program keeps its connections; the writes go to a twin database.
class ServerFloors : public Floors
{
public:
    ServerFloors(const QString &conninfo, const QString &twinConninfo);

protected:
    std::shared_ptr<kucun::sql::Session> session(Side side,
                                                 const QStringList &tables) const override;
    // Fetches the rows in pieces through a cursor, as psql does with
    // FETCH_COUNT: a million rows in one answer would count as the program's
    // memory.
    bool forEachRow(kucun::sql::Session &store, const QString &sql, const QVariantList &parameters,
                    const std::function<void(const kucun::sql::Rows &)> &row) const override;

private:
    std::shared_ptr<kucun::sql::Session> m_book;
    std::shared_ptr<kucun::sql::Session> m_twin;
};
