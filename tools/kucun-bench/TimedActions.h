#pragma once

#include "Measure.h"

class Floors;
struct SyntheticShop;
namespace kucun {
struct BookFolders;
}

// Drives the real main window over the book of one size, already written in
// its folders or on its server, through every timed action beside its
// floor; each action's visible result is checked against the store.
SizeFigures runTimedActions(const Size &size, const kucun::BookFolders &folders,
                            const Floors &floors, const SyntheticShop &shop, int runs);
