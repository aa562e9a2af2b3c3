#pragma once

#include <QString>
#include <limits>
#include <optional>

namespace kucun {

// The text as typed with surrounding half- and full-width spaces removed and
// full-width digits, point and signs turned into their ASCII forms.
QString normalizedNumberText(const QString &text);

// The leading whole number of a text: an optional sign and the digits that
// follow; a fraction and anything after it are dropped; no digits give 0.
qint64 leadingInteger(const QString &text);

// The leading decimal number of a text (digits with an optional fraction);
// no digits give 0.
double leadingNumber(const QString &text);

// True for digits with at most one decimal point after them ("12", "3.9",
// "5."), spaces around and full-width forms allowed; "1,000", "5箱", "-3"
// and ".5" are no plain number.
bool isPlainNumber(const QString &text);

// The most one booking moves: the log keeps a quantity as a 32-bit integer.
constexpr qint64 largestQuantity = std::numeric_limits<qint32>::max();

// True for a whole quantity one booking can move: from 1 to largestQuantity.
bool isBookableQuantity(qint64 quantity);

// A quantity to book: of a plain number, its whole part, when that is
// bookable; otherwise nothing.
std::optional<qint32> bookableQuantity(const QString &text);

} // namespace kucun
