#pragma once

#include "Stocktake.h"
#include "book/files/Book.h"

#include <QString>
#include <optional>

namespace kucun {

// A count typed so far, kept in a small file of its own beside the table
// files ("盘点.json" in the data folder) until it is booked or
// discarded, so that a window closed by mistake or a crash loses nothing.
struct CountDraft
{
    QString category;
    QDate day;
    // What was typed per model: the record id with its three texts, so that
    // a model renamed or deleted since does not take another's count, and
    // the 账面 the count was typed against (none in a draft of an older
    // version, whose counts must be confirmed).
    struct Count
    {
        ModelRecord model;
        double counted = 0;
        std::optional<double> countedAgainst;
    };
    std::vector<Count> counts;
};

// The draft of a sheet: what its counted rows hold.
CountDraft draftOf(const CountSheet &sheet);
// Puts a draft's counts into a sheet loaded for the same category and day;
// returns how many counts found no model on the sheet (renamed or deleted
// since), which are dropped.
int applyDraft(const CountDraft &draft, CountSheet &sheet);

// Writes the draft, replacing the last one whole. False when it could not.
bool saveCountDraft(const Book &book, const CountDraft &draft);

// The draft kept, if any. A file that is not a draft this program wrote (no
// JSON, fields of other types, a negative count or one beyond a booking, an
// id twice, more counts than there are models) is damaged: it is set aside
// as "盘点.json.bad", once, and the count starts clean. A draft is read only
// when its size fits one count per model.
struct KeptDraft
{
    std::optional<CountDraft> draft;
    enum class Damage
    {
        None,
        SetAside,   // renamed to 盘点.json.bad
        NotSetAside // damaged, and it could not be renamed
    } damage = Damage::None;
};
// Nothing when the catalogue could not be read to bound the draft.
ReadResult<KeptDraft> loadCountDraft(const Book &book);
// Removes the kept draft. False when a file stays behind.
bool discardCountDraft(const Book &book);

} // namespace kucun
