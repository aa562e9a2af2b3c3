#pragma once

#include "book/Outcome.h"
#include "book/catalogue/ModelKey.h"
#include "book/files/Book.h"

#include <QString>
#include <functional>
#include <optional>

namespace kucun {

class ChangeNotifier;

enum class CatalogueOutcome
{
    Done,
    AlreadyThere,        // a model with this text is already under the item
    NotFound,            // the record to change is no longer in the table
    Cancelled,           // the user did not confirm
    CodeTaken,           // another model bears the code typed
    RestockBelowMinimum, // 补货至 is below 最低库存
};

// A model's texts as the user typed them.
struct ModelTexts
{
    QString model;
    QString unit;
    QString remark;
    // 进价 and 售价, kept in 型号资料; none when left empty.
    std::optional<double> purchasePrice = std::nullopt;
    std::optional<double> salePrice = std::nullopt;
    // 条码 (normalized; empty for none), 最低库存 and 补货至, kept in 型号资料.
    QString barcode = QString();
    std::optional<double> minimum = std::nullopt;
    std::optional<double> restockTo = std::nullopt;
};

// 补货至 may be left out, or be at least 最低库存 when both are given.
bool restockLevelsAgree(const ModelTexts &texts);

// Changes of the catalogue. Each is one transaction across the table files it
// touches, 型号资料 included: a model's row there is saved, carried to its
// new text or deleted with it. The movement log is never touched. A change announces
// catalogueChanged (categories, items) or modelsChanged (models); a record
// that is gone announces it too, since the lists shown are stale.

// Appends a category; two categories may bear the same text.
Outcome<CatalogueOutcome> addCategory(const Book &book, const QString &category,
                                      ChangeNotifier &changes);
// Appends an item under a category; items are not checked for duplicates.
Outcome<CatalogueOutcome> addItem(const Book &book, const QString &category, const QString &item,
                                  ChangeNotifier &changes);
// Appends a model with no stock, unless the item has a model of that text.
// A code another model bears is refused inside the transaction (CodeTaken,
// with that model put in `codeBearer` when given); so are levels that
// disagree (RestockBelowMinimum), before any table is opened.
Outcome<CatalogueOutcome> addModel(const Book &book, const QString &category, const QString &item,
                                   const ModelTexts &texts, ChangeNotifier &changes,
                                   ModelKey *codeBearer = nullptr);
// Gives the first model of that text under the item new texts; its stock
// stays. A new model text that another model of the item bears already is
// refused (AlreadyThere); the code and levels are refused as by addModel.
Outcome<CatalogueOutcome> modifyModel(const Book &book, const QString &category,
                                      const QString &item, const QString &model,
                                      const ModelTexts &texts, ChangeNotifier &changes,
                                      ModelKey *codeBearer = nullptr);
// Deletes the first model of that text under the item, once it is found and
// `confirm` agrees (asked with no table locked).
Outcome<CatalogueOutcome> deleteModel(const Book &book, const QString &category,
                                      const QString &item, const QString &model,
                                      const std::function<bool()> &confirm,
                                      ChangeNotifier &changes);
// Deletes the first 名称 record of the item and every model under the item.
Outcome<CatalogueOutcome> deleteItem(const Book &book, const QString &category, const QString &item,
                                     ChangeNotifier &changes);
// Deletes the category record at this 1-based position (groups stand in
// record order), and every item and model of the category's text. When that
// position holds no record of that text, nothing at all is deleted (NotFound).
Outcome<CatalogueOutcome> deleteCategory(const Book &book, qint64 position, const QString &category,
                                         ChangeNotifier &changes);

} // namespace kucun
