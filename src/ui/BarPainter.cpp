#include "BarPainter.h"

#include <QPainter>
#include <QRectF>
#include <memory>
#include <zint.h>

namespace kucun {

void paintBars(QPainter &painter, const QRectF &area, const CellBars &bars)
{
    const std::unique_ptr<zint_symbol, void (*)(zint_symbol *)> symbol(ZBarcode_Create(),
                                                                       ZBarcode_Delete);
    if (!symbol) {
        return;
    }
    symbol->symbology = bars.symbology == Symbology::Ean13 ? BARCODE_EANX : BARCODE_CODE128;
    symbol->input_mode = UNICODE_MODE;
    symbol->output_options = BARCODE_QUIET_ZONES;
    // The digits are a cell of their own, in the form's font.
    symbol->show_hrt = 0;
    const QByteArray code = bars.code.toUtf8();
    const int result = ZBarcode_Encode_and_Buffer_Vector(
        symbol.get(), reinterpret_cast<const unsigned char *>(code.constData()), int(code.size()),
        0);
    const zint_vector *vector = symbol->vector;
    if (result >= ZINT_ERROR || !vector || vector->width <= 0 || vector->height <= 0) {
        return;
    }
    // Bars stretch to the area's height; their widths keep their ratios.
    const double xScale = area.width() / double(vector->width);
    const double yScale = area.height() / double(vector->height);
    painter.save();
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::black);
    for (const zint_vector_rect *bar = vector->rectangles; bar; bar = bar->next) {
        painter.drawRect(QRectF(area.left() + bar->x * xScale, area.top() + bar->y * yScale,
                                bar->width * xScale, bar->height * yScale));
    }
    painter.restore();
}

} // namespace kucun
