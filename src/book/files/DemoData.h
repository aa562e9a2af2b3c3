#pragma once

#include <QDate>
#include <QString>

namespace kucun {

class ChangeNotifier;

// Fills the four empty data tables in dataDir with the catalogue of a small
// hardware shop and two months of stock movements ending on `today`; each
// model's stock equals what its movements booked in minus what they booked
// out. Refuses, writing nothing, when any of the four tables holds a record:
// demo data never mixes with a shop's own.
bool writeDemoData(const QString &dataDir, const QDate &today, QString *error);

// writeDemoData, then announces the catalogue, the stock and the log changed.
bool addDemoData(const QString &dataDir, const QDate &today, ChangeNotifier &changes,
                 QString *error);

} // namespace kucun
