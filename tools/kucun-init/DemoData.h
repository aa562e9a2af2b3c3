#pragma once

#include <QDate>
#include <QString>

// Fills freshly created table files with the catalogue of a small hardware
// shop and two months of stock movements ending on `today`; each model's
// stock equals what its movements booked in minus what they booked out.
bool writeDemoData(const QString &workDir, const QDate &today, QString *error);
