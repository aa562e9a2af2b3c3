#include "LogPage.h"

#include "LogLists.h"
#include "app/FormParts.h"
#include "ui/ListView.h"

#include <QDateEdit>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace kucun {

LogPage::LogPage(const Book &book, QWidget *parent) : QWidget(parent)
{
    auto *layout = new QVBoxLayout(this);

    auto *search = new QHBoxLayout;
    编辑框关键字 = makeEdit(QStringLiteral("编辑框关键字"), QStringLiteral("日志关键字"));
    addLabelled(search, QStringLiteral("关键字："), 编辑框关键字);
    按钮模糊搜索 = makeButton(QStringLiteral("按钮模糊搜索"), QStringLiteral("模糊搜索"));
    search->addWidget(按钮模糊搜索);
    search->addSpacing(24);
    日期框明细起 = makeDateBox(QStringLiteral("日期框明细起"), QStringLiteral("起始日期"));
    addLabelled(search, QStringLiteral("起始日期："), 日期框明细起);
    日期框明细止 = makeDateBox(QStringLiteral("日期框明细止"), QStringLiteral("截止日期"));
    addLabelled(search, QStringLiteral("截止日期："), 日期框明细止);
    按钮日期搜索 = makeButton(QStringLiteral("按钮日期搜索"), QStringLiteral("日期搜索"));
    search->addWidget(按钮日期搜索);
    search->addStretch(1);
    按钮删除选中 = makeButton(QStringLiteral("按钮删除选中"), QStringLiteral("删除选中"));
    search->addWidget(按钮删除选中);
    layout->addLayout(search);

    超级列表框明细 = makeLogList(book, QStringLiteral("超级列表框明细"), QStringLiteral("日志记录"),
                                 LogColumns::WithDate, {70, 130, 120, 140, 160, 80, 80, 60});
    超级列表框明细->setMultiSelect(true);
    layout->addWidget(超级列表框明细, 1);

    auto *totals = new QHBoxLayout;
    透明标签日志总数 = makeValueLabel(QStringLiteral("透明标签日志总数"), {});
    totals->addWidget(透明标签日志总数);
    totals->addStretch(1);
    标签明细入库合计 = makeValueLabel(QStringLiteral("标签明细入库合计"), {});
    addLabelled(totals, QStringLiteral("入库合计："), 标签明细入库合计);
    totals->addSpacing(24);
    标签明细出库合计 = makeValueLabel(QStringLiteral("标签明细出库合计"), {});
    addLabelled(totals, QStringLiteral("出库合计："), 标签明细出库合计);
    layout->addLayout(totals);
}

void LogPage::showRecordCount(qint64 records)
{
    透明标签日志总数->setText(QStringLiteral("当前数据库中日志记录总数为：%1条").arg(records));
}

} // namespace kucun
