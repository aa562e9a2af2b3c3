#pragma once

namespace kucun {

struct AppContext;

// A page of 高级选择夹1 was chosen. The password guard asks first: a refused
// page gives way to "进销库存" before its contents ever show; an allowed page
// shows its contents, brought up to date.
void onPageChosen(AppContext &context, int page);

} // namespace kucun
