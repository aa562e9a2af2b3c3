#pragma once

namespace kucun {

struct AppContext;

// Rebuilds the category groups of both roll-up menus, the two category
// drop-down lists and the category list from table 品类.
void loadCategories(AppContext &context);

// Hangs the items of table 名称 under their category groups in both roll-up
// menus. Runs right after loadCategories.
void loadItems(AppContext &context);

// After categories or items changed: both menus and the category lists are
// rebuilt; the items chosen before are gone, so their model lists and names
// are cleared. The whole stock follows with the reports.
void reloadCatalogue(AppContext &context);

} // namespace kucun
