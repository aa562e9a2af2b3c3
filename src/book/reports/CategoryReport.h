#pragma once

#include "book/ReadResult.h"
#include "book/catalogue/CatalogueReads.h"
#include "book/files/Book.h"

#include <QStringList>
#include <optional>
#include <vector>

namespace kucun {

// The stock of one part of the catalogue, narrowed in three steps: a
// category, then one of its items, then one of that item's models.
struct CategoryQuery
{
    int level = 1; // 1 category, 2 item, 3 model
    QString category;
    QString item;
    QString model;
};

struct CategoryReport
{
    // The models that match, in table order.
    std::vector<ModelRecord> models;
    // What the next step can choose from, each text once in order of first
    // appearance: the items at level 1, the models at level 2, none at 3.
    QStringList nextChoices;
};

// Reads 型号 for the models whose texts equal the query's exactly, up to its
// level. Nothing when the table could not be opened.
ReadResult<CategoryReport> queryCategoryReport(const Book &book, const CategoryQuery &query);

} // namespace kucun
