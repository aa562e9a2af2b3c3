#include "Form.h"
#include "FormParts.h"
#include "Pages.h"
#include "app/stock/LogLists.h"
#include "ui/ListView.h"
#include "ui/RollUpMenu.h"

#include <QDateEdit>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace kucun {

namespace {

QWidget *buildMenuColumn(Form &form)
{
    auto *column = new QWidget;
    auto *layout = new QVBoxLayout(column);
    layout->setContentsMargins(0, 0, 0, 0);
    form.卷帘式菜单1 = new RollUpMenu;
    nameControl(form.卷帘式菜单1, QStringLiteral("卷帘式菜单1"), QStringLiteral("品类菜单"));
    form.卷帘式菜单1->setGroupToolTip(QStringLiteral("右键单击可隐藏此品类"));
    form.按钮显示菜单 = makeButton(QStringLiteral("按钮显示菜单"), QStringLiteral("显示菜单"));
    form.按钮显示菜单->setToolTip(QStringLiteral("重新显示用右键隐藏的品类"));
    layout->addWidget(form.卷帘式菜单1, 1);
    layout->addWidget(form.按钮显示菜单);
    column->setMinimumWidth(180);
    return column;
}

QWidget *buildModelArea(Form &form)
{
    auto *area = new QWidget;
    auto *layout = new QVBoxLayout(area);
    layout->setContentsMargins(0, 0, 0, 0);

    auto *header = new QHBoxLayout;
    form.标签进销名称 = makeTitleLabel(QStringLiteral("标签进销名称"));
    header->addWidget(makeCaption(QStringLiteral("名称："), form.标签进销名称));
    header->addWidget(form.标签进销名称, 1);
    form.编辑框_关键字 = makeEdit(QStringLiteral("编辑框_关键字"), QStringLiteral("型号关键字"));
    form.编辑框_关键字->setMaximumWidth(220);
    addLabelled(header, QStringLiteral("关键字："), form.编辑框_关键字);
    form.按钮5 = makeButton(QStringLiteral("按钮5"), QStringLiteral("筛选"));
    header->addWidget(form.按钮5);
    form.按钮台账 = makeButton(QStringLiteral("按钮台账"), QStringLiteral("台账"));
    header->addWidget(form.按钮台账);
    form.按钮盘点 = makeButton(QStringLiteral("按钮盘点"), QStringLiteral("盘点…"));
    header->addWidget(form.按钮盘点);
    layout->addLayout(header);

    form.超级列表框进销 =
        makeList(QStringLiteral("超级列表框进销"), QStringLiteral("型号列表"),
                 {QStringLiteral("序号"), QStringLiteral("型号/特征"), QStringLiteral("库存"),
                  QStringLiteral("单位"), QStringLiteral("备注")},
                 {60, 220, 90, 70});
    form.超级列表框进销->setQuantityColumns({2});
    layout->addWidget(form.超级列表框进销, 1);
    return area;
}

QGroupBox *buildBookingBox(Form &form)
{
    auto *box = new QGroupBox(QStringLiteral("入库/出库"));
    auto *layout = new QVBoxLayout(box);

    auto *first = new QHBoxLayout;
    form.标签进销型号 = makeValueLabel(QStringLiteral("标签进销型号"), {});
    form.标签进销型号->setMinimumWidth(160);
    addLabelled(first, QStringLiteral("型号："), form.标签进销型号);
    first->addStretch(1);
    form.日期框进销 = makeDateBox(QStringLiteral("日期框进销"), QStringLiteral("日期"));
    addLabelled(first, QStringLiteral("日期："), form.日期框进销);
    layout->addLayout(first);

    auto *second = new QHBoxLayout;
    form.编辑框入库 = makeEdit(QStringLiteral("编辑框入库"), QStringLiteral("入库数量"));
    addLabelled(second, QStringLiteral("入库数量："), form.编辑框入库);
    form.按钮入库 = makeButton(QStringLiteral("按钮入库"), QStringLiteral("入库"));
    second->addWidget(form.按钮入库);
    second->addSpacing(16);
    form.编辑框出库 = makeEdit(QStringLiteral("编辑框出库"), QStringLiteral("出库数量"));
    addLabelled(second, QStringLiteral("出库数量："), form.编辑框出库);
    form.按钮出库 = makeButton(QStringLiteral("按钮出库"), QStringLiteral("出库"));
    second->addWidget(form.按钮出库);
    second->addSpacing(16);
    form.编辑框明细备注 = makeEdit(QStringLiteral("编辑框明细备注"), QStringLiteral("备注"));
    addLabelled(second, QStringLiteral("备注："), form.编辑框明细备注);
    layout->addLayout(second);
    return box;
}

QWidget *buildDayLog(Form &form, const BookFolders &folders)
{
    auto *area = new QWidget;
    auto *layout = new QVBoxLayout(area);
    layout->setContentsMargins(0, 0, 0, 0);
    form.超级列表框日志 =
        makeLogList(folders, QStringLiteral("超级列表框日志"), QStringLiteral("当日进销记录"),
                    LogColumns::WithoutDate, {60, 120, 140, 160, 80, 80, 60});
    layout->addWidget(form.超级列表框日志, 1);

    auto *totals = new QHBoxLayout;
    totals->addStretch(1);
    form.标签入库合计 = makeValueLabel(QStringLiteral("标签入库合计"), QStringLiteral("0"));
    addLabelled(totals, QStringLiteral("入库合计："), form.标签入库合计);
    totals->addSpacing(24);
    form.标签出库合计 = makeValueLabel(QStringLiteral("标签出库合计"), QStringLiteral("0"));
    addLabelled(totals, QStringLiteral("出库合计："), form.标签出库合计);
    layout->addLayout(totals);
    return area;
}

} // namespace

void orderBookingFocus(const Form &form)
{
    // The menu's groups and their items, then each step of a booking in turn.
    QList<QWidget *> chain;
    const RollUpMenu &menu = *form.卷帘式菜单1;
    for (int group = 0; group < menu.groupCount(); ++group) {
        chain << menu.groupHeader(group) << menu.groupItemList(group);
    }
    chain << form.超级列表框进销 << form.编辑框入库 << form.按钮入库 << form.编辑框出库
          << form.按钮出库 << form.编辑框明细备注 << form.日期框进销 << form.超级列表框日志
          << form.按钮显示菜单;
    for (qsizetype i = 1; i < chain.size(); ++i) {
        QWidget::setTabOrder(chain[i - 1], chain[i]);
    }
}

QWidget *buildBookingPage(Form &form, const BookFolders &folders)
{
    auto *page = new QWidget;
    auto *layout = new QHBoxLayout(page);
    layout->addWidget(buildMenuColumn(form));

    auto *right = new QVBoxLayout;
    right->addWidget(buildModelArea(form), 3);
    right->addWidget(buildBookingBox(form));
    right->addWidget(buildDayLog(form, folders), 2);
    layout->addLayout(right, 1);
    return page;
}

} // namespace kucun
