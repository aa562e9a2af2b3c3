#pragma once

namespace kucun {

struct AppContext;
struct AppState;
class RollUpMenu;

// Reads the categories of table 品类 and the items of table 名称 into the
// shared state, telling each table that can't be read.
void readCatalogue(AppContext &context);

// Rebuilds a roll-up menu from the catalogue read: a group per category,
// each item under the first group of its category.
void showCatalogue(RollUpMenu &menu, const AppState &state);

} // namespace kucun
