#include "BookingPage.h"

#include "LogLists.h"
#include "app/FormParts.h"
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

QWidget *BookingPage::buildEmptyCatalogueHint()
{
    auto *hint = new QWidget;
    auto *layout = new QVBoxLayout(hint);
    layout->setContentsMargins(0, 0, 0, 0);
    标签空目录提示 =
        makeValueLabel(QStringLiteral("标签空目录提示"),
                       QStringLiteral("还没有商品：请先在“项目设置”中添加品类、名称和型号。"));
    标签空目录提示->setWordWrap(true);
    按钮添加商品 = makeButton(QStringLiteral("按钮添加商品"), QStringLiteral("添加商品…"));
    connect(按钮添加商品, &QPushButton::clicked, this, &BookingPage::maintenanceWanted);
    layout->addWidget(标签空目录提示);
    layout->addWidget(按钮添加商品);
    hint->hide();
    return hint;
}

void BookingPage::showEmptyCatalogueHint(bool empty)
{
    m_emptyCatalogueHint->setVisible(empty);
}

QWidget *BookingPage::buildMenuColumn()
{
    auto *column = new QWidget;
    auto *layout = new QVBoxLayout(column);
    layout->setContentsMargins(0, 0, 0, 0);
    m_emptyCatalogueHint = buildEmptyCatalogueHint();
    layout->addWidget(m_emptyCatalogueHint);
    卷帘式菜单1 = new RollUpMenu;
    nameControl(卷帘式菜单1, QStringLiteral("卷帘式菜单1"), QStringLiteral("品类菜单"));
    卷帘式菜单1->setGroupToolTip(QStringLiteral("右键单击可隐藏此品类"));
    按钮显示菜单 = makeButton(QStringLiteral("按钮显示菜单"), QStringLiteral("显示菜单"));
    按钮显示菜单->setToolTip(QStringLiteral("重新显示用右键隐藏的品类"));
    layout->addWidget(卷帘式菜单1, 1);
    layout->addWidget(按钮显示菜单);
    column->setMinimumWidth(180);
    return column;
}

QWidget *BookingPage::buildModelArea()
{
    auto *area = new QWidget;
    auto *layout = new QVBoxLayout(area);
    layout->setContentsMargins(0, 0, 0, 0);

    auto *header = new QHBoxLayout;
    标签进销名称 = makeTitleLabel(QStringLiteral("标签进销名称"));
    header->addWidget(makeCaption(QStringLiteral("名称："), 标签进销名称));
    header->addWidget(标签进销名称, 1);
    编辑框条码查找 = makeEdit(QStringLiteral("编辑框条码查找"), QStringLiteral("条码查找"));
    编辑框条码查找->setMaximumWidth(180);
    编辑框条码查找->setToolTip(QStringLiteral("输入条码后按回车，选中其型号"));
    addLabelled(header, QStringLiteral("条码："), 编辑框条码查找);
    编辑框_关键字 = makeEdit(QStringLiteral("编辑框_关键字"), QStringLiteral("型号关键字"));
    编辑框_关键字->setMaximumWidth(220);
    addLabelled(header, QStringLiteral("关键字："), 编辑框_关键字);
    按钮5 = makeButton(QStringLiteral("按钮5"), QStringLiteral("筛选"));
    header->addWidget(按钮5);
    按钮台账 = makeButton(QStringLiteral("按钮台账"), QStringLiteral("台账"));
    header->addWidget(按钮台账);
    按钮盘点 = makeButton(QStringLiteral("按钮盘点"), QStringLiteral("盘点…"));
    header->addWidget(按钮盘点);
    layout->addLayout(header);

    超级列表框进销 =
        makeList(QStringLiteral("超级列表框进销"), QStringLiteral("型号列表"),
                 {QStringLiteral("序号"), QStringLiteral("型号/特征"), QStringLiteral("库存"),
                  QStringLiteral("单位"), QStringLiteral("备注")},
                 {60, 220, 90, 70});
    超级列表框进销->setQuantityColumns({2});
    layout->addWidget(超级列表框进销, 1);
    return area;
}

QWidget *BookingPage::buildBookingBox()
{
    auto *box = new QGroupBox(QStringLiteral("入库/出库"));
    auto *layout = new QVBoxLayout(box);

    auto *first = new QHBoxLayout;
    标签进销型号 = makeValueLabel(QStringLiteral("标签进销型号"), {});
    标签进销型号->setMinimumWidth(160);
    addLabelled(first, QStringLiteral("型号："), 标签进销型号);
    first->addStretch(1);
    编辑框明细备注 = makeEdit(QStringLiteral("编辑框明细备注"), QStringLiteral("备注"));
    addLabelled(first, QStringLiteral("备注："), 编辑框明细备注);
    first->addSpacing(16);
    日期框进销 = makeDateBox(QStringLiteral("日期框进销"), QStringLiteral("日期"));
    addLabelled(first, QStringLiteral("日期："), 日期框进销);
    layout->addLayout(first);

    auto *second = new QHBoxLayout;
    编辑框入库 = makeEdit(QStringLiteral("编辑框入库"), QStringLiteral("入库数量"));
    addLabelled(second, QStringLiteral("入库数量："), 编辑框入库);
    编辑框入库单价 = makeEdit(QStringLiteral("编辑框入库单价"), QStringLiteral("入库单价"));
    addLabelled(second, QStringLiteral("单价："), 编辑框入库单价);
    按钮入库 = makeButton(QStringLiteral("按钮入库"), QStringLiteral("入库"));
    second->addWidget(按钮入库);
    标签入库金额 = makeValueLabel(QStringLiteral("标签入库金额"), {});
    标签入库金额->setMinimumWidth(110);
    second->addWidget(标签入库金额);
    second->addSpacing(16);
    编辑框出库 = makeEdit(QStringLiteral("编辑框出库"), QStringLiteral("出库数量"));
    addLabelled(second, QStringLiteral("出库数量："), 编辑框出库);
    编辑框出库单价 = makeEdit(QStringLiteral("编辑框出库单价"), QStringLiteral("出库单价"));
    addLabelled(second, QStringLiteral("单价："), 编辑框出库单价);
    按钮出库 = makeButton(QStringLiteral("按钮出库"), QStringLiteral("出库"));
    second->addWidget(按钮出库);
    标签出库金额 = makeValueLabel(QStringLiteral("标签出库金额"), {});
    标签出库金额->setMinimumWidth(110);
    second->addWidget(标签出库金额);
    layout->addLayout(second);
    return box;
}

QWidget *BookingPage::buildDayLog(const Book &book)
{
    auto *area = new QWidget;
    auto *layout = new QVBoxLayout(area);
    layout->setContentsMargins(0, 0, 0, 0);
    超级列表框日志 =
        makeLogList(book, QStringLiteral("超级列表框日志"), QStringLiteral("当日进销记录"),
                    LogColumns::WithoutDate, {60, 120, 140, 160, 80, 80, 60});
    layout->addWidget(超级列表框日志, 1);

    auto *totals = new QHBoxLayout;
    totals->addStretch(1);
    标签入库合计 = makeValueLabel(QStringLiteral("标签入库合计"), QStringLiteral("0"));
    addLabelled(totals, QStringLiteral("入库合计："), 标签入库合计);
    totals->addSpacing(24);
    标签出库合计 = makeValueLabel(QStringLiteral("标签出库合计"), QStringLiteral("0"));
    addLabelled(totals, QStringLiteral("出库合计："), 标签出库合计);
    layout->addLayout(totals);
    return area;
}

void BookingPage::orderFocus()
{
    // The menu's groups and their items, then each step of a booking in turn.
    QList<QWidget *> chain;
    const RollUpMenu &menu = *卷帘式菜单1;
    for (int group = 0; group < menu.groupCount(); ++group) {
        chain << menu.groupHeader(group) << menu.groupItemList(group);
    }
    chain << 超级列表框进销 << 编辑框入库 << 编辑框入库单价 << 按钮入库 << 编辑框出库
          << 编辑框出库单价 << 按钮出库 << 编辑框明细备注 << 日期框进销 << 超级列表框日志
          << 按钮显示菜单;
    for (qsizetype i = 1; i < chain.size(); ++i) {
        QWidget::setTabOrder(chain[i - 1], chain[i]);
    }
}

BookingPage::BookingPage(const Book &book, QWidget *parent) : QWidget(parent)
{
    auto *layout = new QHBoxLayout(this);
    layout->addWidget(buildMenuColumn());

    auto *right = new QVBoxLayout;
    right->addWidget(buildModelArea(), 3);
    right->addWidget(buildBookingBox());
    right->addWidget(buildDayLog(book), 2);
    layout->addLayout(right, 1);
    connect(按钮盘点, &QPushButton::clicked, this, &BookingPage::stocktakeWanted);
}

} // namespace kucun
