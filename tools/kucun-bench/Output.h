#pragma once

#include "Measure.h"

// Prints the table of every size's figures (operation, S, L, L/S, floor and
// ratio), and writes it as CSV where a path is given.
void printTable(const std::vector<SizeFigures> &sizes, const QString &csvPath);
