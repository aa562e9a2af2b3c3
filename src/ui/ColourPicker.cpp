#include "ColourPicker.h"

#include <QColorDialog>
#include <QPainter>
#include <QPixmap>

namespace kucun {

namespace {

constexpr QSize swatchSize(40, 16);

} // namespace

ColourPicker::ColourPicker(QWidget *parent) : QPushButton(parent)
{
    // Without this the style's small icon size would shrink the swatch.
    setIconSize(swatchSize);
    connect(this, &QPushButton::clicked, this, &ColourPicker::pickColour);
    updateSwatch();
}

void ColourPicker::setColour(const QColor &colour)
{
    if (!colour.isValid()) {
        return;
    }
    // Windows colour values have no alpha, so keep plain opaque RGB.
    m_colour = QColor(colour.red(), colour.green(), colour.blue());
    updateSwatch();
}

void ColourPicker::pickColour()
{
    const QColor picked = QColorDialog::getColor(m_colour, this, QStringLiteral("选择颜色"));
    // An invalid colour means the dialog was cancelled.
    if (!picked.isValid() || picked.rgb() == m_colour.rgb()) {
        return;
    }
    setColour(picked);
    emit colourChanged();
}

void ColourPicker::updateSwatch()
{
    QPixmap swatch(swatchSize);
    swatch.fill(m_colour);
    QPainter painter(&swatch);
    painter.setPen(QColor(64, 64, 64));
    painter.drawRect(0, 0, swatchSize.width() - 1, swatchSize.height() - 1);
    painter.end();
    setIcon(QIcon(swatch));
    setText(m_colour.name(QColor::HexRgb).toUpper());
}

} // namespace kucun
