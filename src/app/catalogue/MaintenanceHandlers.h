#pragma once

namespace kucun {

struct AppContext;

// The catalogue buttons of the settings page. Each checks the boxes in
// order, asks where it must, makes its change through the stock book and
// tells the outcome; the lists reload as the change is announced.
void addTypedCategory(AppContext &context);
void addTypedItem(AppContext &context);
void addTypedModel(AppContext &context);
void modifySelectedModel(AppContext &context);
void deleteSelectedModel(AppContext &context);
void deleteChosenItem(AppContext &context);
void deleteChosenCategory(AppContext &context);

} // namespace kucun
