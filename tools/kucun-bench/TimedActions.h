#pragma once

#include "Measure.h"

struct SyntheticShop;

// Drives the real main window over the tables of one size, already written
// in folder (the floors write on the twin), through every timed action; each
// action's visible result is checked against the store.
SizeFigures runTimedActions(const Size &size, const QString &folder, const QString &twinFolder,
                            const SyntheticShop &shop, int runs);
