#pragma once

#include "Stocktake.h"

#include <QString>
#include <optional>

namespace kucun {

// A count typed so far, kept in a small file of its own beside the table
// files ("盘点.json" in the working directory) until it is booked or
// discarded, so that a window closed by mistake or a crash loses nothing.
struct CountDraft
{
    QString category;
    QDate day;
    // What was typed per model: the record id with its three texts, so that
    // a model renamed or deleted since does not take another's count.
    struct Count
    {
        ModelRecord model;
        double counted = 0;
    };
    std::vector<Count> counts;
};

// The draft of a sheet: what its counted rows hold.
CountDraft draftOf(const CountSheet &sheet);
// Puts a draft's counts into a sheet loaded for the same category and day;
// a count whose model is not on the sheet is dropped.
void applyDraft(const CountDraft &draft, CountSheet &sheet);

// Writes the draft, replacing the last one whole. False when it could not.
bool saveCountDraft(const CountDraft &draft);
// The draft kept, if any; a file that can't be read counts as none.
std::optional<CountDraft> loadCountDraft();
// Removes the kept draft. False when a file stays behind.
bool discardCountDraft();

} // namespace kucun
