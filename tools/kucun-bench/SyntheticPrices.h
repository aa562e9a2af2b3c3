#pragma once

#include "SyntheticShop.h"

// The shop's money beside its tables: a 型号资料 row with prices and a cost
// for every model (one in ten of them with a barcode) and a minimum for a third of them, and a
// 明细金额 record for the newer half of
// the movements, as if prices came into use half way through its years.
void writeSyntheticPrices(const QString &dir, const SyntheticShop &shop);

// The barcode of the model, when it has one (every tenth, from the first).
QString syntheticBarcode(int model);
