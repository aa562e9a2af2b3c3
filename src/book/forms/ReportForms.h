#pragma once

#include "book/forms/PrintTable.h"

#include <QDate>
#include <QDateTime>
#include <QList>
#include <QStringList>

namespace kucun {

// The printed form of a report list: title, print time, the six headings,
// one row per list row and the totals row, ruled from the headings down, on
// A4 portrait.
// rows: per list row, in the order shown, list columns 1 to 5 (品类, 名称,
// 型号, quantity, 单位). total: the caption of the list's total label.
PrintTable layOutReportForm(const QString &title, const QList<QStringList> &rows,
                            const QString &total, const QDateTime &printedAt);

// The printed form of a list with every column it shows: the headings of
// its columns (序号 first) and rows of the cells after 序号; figureColumns
// are list columns (counted with 序号 as 0) aligned to the right. The total
// is the caption of the list's total label. A4 portrait, or landscape when
// the columns do not fit across.
PrintTable layOutListForm(const QString &title, const QStringList &headings,
                          const QList<QStringList> &rows, const QList<int> &figureColumns,
                          const QString &total, const QDateTime &printedAt);

// The printed form of a model's ledger, laid out like a report's: rows hold
// list columns 1 to 5 (日期, 入库, 出库, 结存, 备注); the totals row sums 入库
// and 出库.
PrintTable layOutLedgerForm(const QString &title, const QList<QStringList> &rows,
                            const QString &inTotal, const QString &outTotal,
                            const QDateTime &printedAt);

// The count sheet of a stocktake, to fill in by hand: rows hold (品类,)
// 名称, 型号, 账面 and 单位, with 实盘 left empty, each tall enough to write
// in; the last row has room for the counter's name and the date. The sheet
// of every category has the 品类 column.
PrintTable layOutCountSheetForm(const QString &title, bool withCategory,
                                const QList<QStringList> &rows, const QDateTime &printedAt);

// The monthly form's title, for the year and month of the date:
// 库存2024年5月表单.
QString monthlyFormTitle(const QDate &date);

} // namespace kucun
