#pragma once

#include <QDate>
#include <QString>

// Table files for a shop of `models` models (100 categories, 10 models an
// item) and `movements` movements spread over ten years, in booking order.
struct SyntheticShop
{
    QDate firstDay;
    QDate lastDay;
    QDate busyDay; // a day that has movements
};

SyntheticShop writeSyntheticShop(const QString &dir, int models, int movements);
