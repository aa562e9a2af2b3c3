#pragma once

#include <QColor>

namespace kucun {

// Colours are stored as Windows colour values, 0x00BBGGRR.
inline QColor fromWindowsColour(int value)
{
    return QColor(value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF);
}

inline int toWindowsColour(const QColor &colour)
{
    return colour.red() | (colour.green() << 8) | (colour.blue() << 16);
}

} // namespace kucun
