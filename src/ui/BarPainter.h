#pragma once

#include "book/forms/PrintTable.h"

class QPainter;
class QRectF;

namespace kucun {

// Paints the bars of the code in the area, made by Zint: as wide as the
// area with the quiet zones of the symbology, as high as the area. A code
// Zint refuses paints nothing.
void paintBars(QPainter &painter, const QRectF &area, const CellBars &bars);

} // namespace kucun
