#pragma once

namespace kucun {

struct AppContext;

// Brings up 项目设置 (through its password guard) with the keyboard in the
// category box of 项目维护, where goods are added.
void goToMaintenance(AppContext &context);

} // namespace kucun
