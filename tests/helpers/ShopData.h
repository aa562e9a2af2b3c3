#pragma once

#include <QDate>
#include <QString>

namespace kucun::test {

class TestTables;

// A small shop: categories 五金 and 电工; items 五金/扳手, 五金/钳子, 电工/电线;
// models (stock, unit, remark):
//   五金/扳手/8寸 10 把 常用, 五金/扳手/10寸 2 把, 五金/钳子/8寸 5 把 尖嘴,
//   电工/电线/2.5平方 2.5 卷 红色, 电工/电线/4平方 2.5 卷.
// The log is empty.
void addSmallShop(TestTables &files);

// Appends a movement; in or out may be 0 for "empty".
void addMovement(TestTables &files, const QDate &date, const QString &category, const QString &item,
                 const QString &model, double in, double out, const QString &unit,
                 const QString &remark);

} // namespace kucun::test
