#pragma once

#include <QString>
#include <functional>

namespace kucun {

class ChangeNotifier;

enum class CatalogueOutcome
{
    Done,
    AlreadyThere,     // a model with this text is already under the item
    NotFound,         // the record to change is no longer in the table
    Cancelled,        // the user did not confirm
    TableUnavailable, // a table of the change could not be opened; nothing changed
    TableBusy,        // another program held a table too long; nothing changed
    TableReadOnly,    // a table can't be written; nothing changed
    TableWrongLayout, // a table's fields are missing or of another type
    WriteFailed,      // the change could not be committed; nothing changed
};

// A model's texts as the user typed them.
struct ModelTexts
{
    QString model;
    QString unit;
    QString remark;
};

// Changes of the catalogue. Each is one transaction across the table files it
// touches; the movement log is never touched. A change announces
// catalogueChanged (categories, items) or modelsChanged (models); a record
// that is gone announces it too, since the lists shown are stale.

// Appends a category; two categories may bear the same text.
CatalogueOutcome addCategory(const QString &category, ChangeNotifier &changes);
// Appends an item under a category; items are not checked for duplicates.
CatalogueOutcome addItem(const QString &category, const QString &item, ChangeNotifier &changes);
// Appends a model with no stock, unless the item has a model of that text.
CatalogueOutcome addModel(const QString &category, const QString &item, const ModelTexts &texts,
                          ChangeNotifier &changes);
// Gives the first model of that text under the item new texts; its stock
// stays. A new model text that another model of the item bears already is
// refused (AlreadyThere).
CatalogueOutcome modifyModel(const QString &category, const QString &item, const QString &model,
                             const ModelTexts &texts, ChangeNotifier &changes);
// Deletes the first model of that text under the item, once it is found and
// `confirm` agrees (asked with no table locked).
CatalogueOutcome deleteModel(const QString &category, const QString &item, const QString &model,
                             const std::function<bool()> &confirm, ChangeNotifier &changes);
// Deletes the first 名称 record of the item and every model under the item.
CatalogueOutcome deleteItem(const QString &category, const QString &item, ChangeNotifier &changes);
// Deletes the category record at this 1-based position (groups stand in
// record order), and every item and model of the category's text. When that
// position holds no record of that text, nothing at all is deleted (NotFound).
CatalogueOutcome deleteCategory(qint64 position, const QString &category, ChangeNotifier &changes);

} // namespace kucun
