#pragma once

#include "book/ReadResult.h"
#include "book/catalogue/CatalogueReads.h"
#include "book/files/Book.h"

#include <QDate>
#include <vector>

namespace kucun {

// The stock of each model at the end of a day, one figure per model in the
// models' order: its stock now, minus what was booked in and plus what was
// booked out after that day. Movements belong to the first model with the
// same three texts; a later twin keeps its stock as it is. Exact for every
// day after the oldest movement still in the log. Nothing when 明细 could
// not be read.
ReadResult<std::vector<double>> stockOnDay(const Book &book, const std::vector<ModelRecord> &models,
                                           const QDate &day);

} // namespace kucun
