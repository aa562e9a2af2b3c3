#pragma once

#include "WindowsColour.h"

#include <QPushButton>

namespace kucun {

// A button showing a colour swatch; clicking it opens a colour dialog.
class ColourPicker : public QPushButton
{
    Q_OBJECT

public:
    explicit ColourPicker(QWidget *parent = nullptr);

    // The colour as a Windows colour value, 0x00BBGGRR.
    int colourValue() const { return toWindowsColour(m_colour); }
    void setColourValue(int value) { setColour(fromWindowsColour(value)); }
    QColor colour() const { return m_colour; }
    void setColour(const QColor &colour);

signals:
    // The user picked another colour.
    void colourChanged();

private:
    void pickColour();
    void updateSwatch();

    QColor m_colour = Qt::white;
};

} // namespace kucun
