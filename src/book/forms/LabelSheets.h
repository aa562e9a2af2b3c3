#pragma once

#include "book/forms/PrintTable.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace kucun {

// The label sheets labels print on.
enum class LabelSheet
{
    A4ThreeByEight, // an A4 sheet of 3 × 8 labels of 70 × 37 mm
    Label40x30,     // a label printer's labels of 40 × 30 mm, one a page
};

// The names of the sheets as the owner chooses them, in the order of LabelSheet.
QStringList labelSheetNames();

// What a model's label shows: 名称, 型号 and its code.
struct LabelModel
{
    QString item;
    QString model;
    QString code;
};

// The labels of the models that have a code, `copies` of each one after
// the other, in the order given, on the sheet: each label is four rows of
// its column, 名称, 型号, the bars and the code in digits, and a page holds
// the rows of one sheet. Models without a code have no label.
PrintTable layOutLabels(const QList<LabelModel> &models, int copies, LabelSheet sheet);

} // namespace kucun
