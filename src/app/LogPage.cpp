#include "Form.h"
#include "FormParts.h"
#include "Pages.h"
#include "app/stock/LogLists.h"
#include "ui/ListView.h"

#include <QDateEdit>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace kucun {

QWidget *buildLogPage(Form &form, const BookFolders &folders)
{
    auto *page = new QWidget;
    auto *layout = new QVBoxLayout(page);

    auto *search = new QHBoxLayout;
    form.编辑框关键字 = makeEdit(QStringLiteral("编辑框关键字"), QStringLiteral("日志关键字"));
    addLabelled(search, QStringLiteral("关键字："), form.编辑框关键字);
    form.按钮模糊搜索 = makeButton(QStringLiteral("按钮模糊搜索"), QStringLiteral("模糊搜索"));
    search->addWidget(form.按钮模糊搜索);
    search->addSpacing(24);
    form.日期框明细起 = makeDateBox(QStringLiteral("日期框明细起"), QStringLiteral("起始日期"));
    addLabelled(search, QStringLiteral("起始日期："), form.日期框明细起);
    form.日期框明细止 = makeDateBox(QStringLiteral("日期框明细止"), QStringLiteral("截止日期"));
    addLabelled(search, QStringLiteral("截止日期："), form.日期框明细止);
    form.按钮日期搜索 = makeButton(QStringLiteral("按钮日期搜索"), QStringLiteral("日期搜索"));
    search->addWidget(form.按钮日期搜索);
    search->addStretch(1);
    form.按钮删除选中 = makeButton(QStringLiteral("按钮删除选中"), QStringLiteral("删除选中"));
    search->addWidget(form.按钮删除选中);
    layout->addLayout(search);

    form.超级列表框明细 =
        makeLogList(folders, QStringLiteral("超级列表框明细"), QStringLiteral("日志记录"),
                    LogColumns::WithDate, {70, 130, 120, 140, 160, 80, 80, 60});
    form.超级列表框明细->setMultiSelect(true);
    layout->addWidget(form.超级列表框明细, 1);

    auto *totals = new QHBoxLayout;
    form.透明标签日志总数 = makeValueLabel(QStringLiteral("透明标签日志总数"), {});
    totals->addWidget(form.透明标签日志总数);
    totals->addStretch(1);
    form.标签明细入库合计 = makeValueLabel(QStringLiteral("标签明细入库合计"), {});
    addLabelled(totals, QStringLiteral("入库合计："), form.标签明细入库合计);
    totals->addSpacing(24);
    form.标签明细出库合计 = makeValueLabel(QStringLiteral("标签明细出库合计"), {});
    addLabelled(totals, QStringLiteral("出库合计："), form.标签明细出库合计);
    layout->addLayout(totals);
    return page;
}

} // namespace kucun
