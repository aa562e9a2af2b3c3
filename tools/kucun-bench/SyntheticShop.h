#pragma once

#include <QDate>
#include <QString>

// Table files of a hardware shop: `models` models in ten categories of equal
// size, ten models an item, and `movements` movements spread evenly over the
// `years` years up to today, in booking order. Texts are the Chinese names such a
// shop books under. One movement in a hundred carries the remark
// 客户退货, and no other text holds `rareKeyword`.
struct SyntheticShop
{
    int categories = 0;
    int items = 0;
    int models = 0;
    qint64 movements = 0;
    QDate firstDay;
    QDate lastDay;
    QDate busyDay; // a day that has movements
    QString rareKeyword;
};

SyntheticShop writeSyntheticShop(const QString &dir, int models, qint64 movements, int years);

// The texts of the generated catalogue.
QString syntheticCategory(int category);
QString syntheticItem(int item);
QString syntheticModel(int model);
