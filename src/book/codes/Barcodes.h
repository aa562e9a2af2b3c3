#pragma once

#include "book/Outcome.h"
#include "book/ReadResult.h"
#include "book/catalogue/ModelKey.h"
#include "book/files/Book.h"

#include <QString>
#include <QVariant>
#include <optional>

namespace kucun {

class ChangeNotifier;
class Table;

// A code as the owner or a scanner typed it: spaces around it dropped; an
// empty code means none.
QString normalizedBarcode(const QString &typed);
// The value 型号资料 keeps for a code: none for an empty one.
QVariant storedBarcode(const QString &code);

// The model that bears the code in 型号资料; none when no model does.
ReadResult<std::optional<ModelKey>> findModelByBarcode(const Book &book, const QString &code);

// In a transaction the caller holds, on a table with 型号资料 attached: the
// model other than `self` that bears the code, none when no other does, or
// nothing when the file failed (the caller rolls back). Run it inside the
// write, so two computers can't give one code to two models.
std::optional<std::optional<ModelKey>> otherBearerOf(Table &table, const QString &code,
                                                     const ModelKey &self);

enum class BarcodeOutcome
{
    Done,
    TakenByOther, // another model bears the code; `bearer` names it
    NotFound,     // the model is no longer in the catalogue
};

struct GivenBarcode
{
    Outcome<BarcodeOutcome> outcome;
    ModelKey bearer; // the model that keeps the code, when TakenByOther
};

// Gives the code to the model in one transaction, refused when another model
// bears it; an empty code takes the model's code away. Announces modelsChanged when given.
GivenBarcode giveBarcode(const Book &book, const ModelKey &model, const QString &code,
                         ChangeNotifier &changes);

} // namespace kucun
