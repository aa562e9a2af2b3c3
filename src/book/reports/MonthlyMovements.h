#pragma once

#include "book/ReadResult.h"
#include "book/catalogue/ModelKey.h"
#include "book/files/Book.h"

#include <QString>
#include <optional>
#include <vector>

namespace kucun {

// The net movement of each model in one calendar month: what was booked in
// minus what was booked out, one figure per key, in the keys' order. A
// movement counts on the first key that names its model; a movement of a
// model no key names, or with both quantities set, counts nowhere. Nothing
// when 明细 could not be opened or read.
ReadResult<std::vector<double>>
monthlyNetMovements(const Book &book, const std::vector<ModelKey> &models, int year, int month);

} // namespace kucun
