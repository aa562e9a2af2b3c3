#pragma once

#include <QString>
#include <optional>

namespace kucun {

// The value of a quantity as a list shows it: an optional minus sign, digits
// and an optional fraction ("10", "-3", "2.5"). Any other text is no number
// and stays a text in a saved sheet.
std::optional<double> quantityValue(const QString &text);

// How many digits a quantity shows after its decimal point.
int shownDecimals(const QString &text);

// How many columns of a fixed-width font a text takes: a CJK or other wide
// character counts as two, any other character as one.
int textColumns(const QString &text);

} // namespace kucun
