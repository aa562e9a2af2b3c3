#pragma once

#include "Measure.h"

// Prints the table of every size's figures (operation, S, L, L/S, floor and
// ratio), and writes it as CSV where a path is given.
void printTable(const std::vector<SizeFigures> &sizes, const QString &csvPath);

// The figures of one size on the server book beside those on its table
// files, the server's floors and the ratio to them; the CSV file, when one
// is named, gets them as rows of its own after those of printTable.
void printServerTable(const SizeFigures &files, const SizeFigures &server, const QString &csvPath);
