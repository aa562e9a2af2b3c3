#pragma once

#include "book/ReadResult.h"
#include "book/catalogue/ModelKey.h"
#include "book/files/Book.h"
#include "book/forms/LabelSheets.h"
#include "book/forms/PrintTable.h"

#include <QList>
#include <QString>

namespace kucun {

// True for 13 digits whose last is the EAN-13 check digit of the others.
bool isEan13(const QString &code);

// The bars a code prints as: EAN-13 for 13 digits with a valid check digit,
// Code 128 for any other code.
Symbology symbologyOf(const QString &code);

// What the labels of the models show, in the order given: 名称, 型号 and the
// code 型号资料 keeps, empty for a model without one.
ReadResult<QList<LabelModel>> readLabelModels(const Book &book, const QList<ModelKey> &models);

} // namespace kucun
