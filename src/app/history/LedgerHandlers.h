#pragma once

#include "LedgerWindow.h"

namespace kucun {

class FormPreview;
struct ModelRecord;

// Opens the ledger of a model, as a double-click on its row or 按钮台账 asks.
void openLedger(LedgerContext &context, const ModelRecord &model);
// Fills an open ledger again: after a change of the books, or of its dates.
// A model that is gone closes it.
void refreshLedger(LedgerContext &context);

void exportLedger(LedgerContext &context);
void saveLedgerAs(LedgerContext &context);
void printLedger(LedgerContext &context, FormPreview &preview);

} // namespace kucun
