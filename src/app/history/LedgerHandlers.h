#pragma once

namespace kucun {

struct AppContext;
class FormPreview;
class ListView;

// 按钮台账: the ledger of the model chosen in 超级列表框进销.
void openLedgerOfChosenModel(AppContext &context);
// A double-click on a row of a model list opens that model's ledger.
void openLedgerOfRow(AppContext &context, const ListView &list, int row);
// Fills an open ledger again: after a change of the books, or of its dates.
// A model that is gone closes it.
void refreshLedger(AppContext &context);

void exportLedger(AppContext &context);
void saveLedgerAs(AppContext &context);
void printLedger(AppContext &context, FormPreview &preview);

} // namespace kucun
