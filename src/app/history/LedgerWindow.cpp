#include "LedgerWindow.h"

#include "app/FormParts.h"
#include "ui/ListView.h"

#include <QDateEdit>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace kucun {

LedgerWindow::LedgerWindow(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("窗口台账"));
    resize(720, 520);
    auto *layout = new QVBoxLayout(this);
    标签台账型号 = makeValueLabel(QStringLiteral("标签台账型号"), QString());
    layout->addWidget(标签台账型号);

    auto *range = new QHBoxLayout;
    日期框台账起 = makeDateBox(QStringLiteral("日期框台账起"), QStringLiteral("台账起始日期"));
    addLabelled(range, QStringLiteral("从："), 日期框台账起);
    日期框台账止 = makeDateBox(QStringLiteral("日期框台账止"), QStringLiteral("台账截止日期"));
    addLabelled(range, QStringLiteral("到："), 日期框台账止);
    range->addStretch(1);
    标签台账期初 = makeValueLabel(QStringLiteral("标签台账期初"), QStringLiteral("期初：0"));
    range->addWidget(标签台账期初);
    layout->addLayout(range);

    超级列表框台账 =
        makeList(QStringLiteral("超级列表框台账"), QStringLiteral("台账列表"),
                 {QStringLiteral("序号"), QStringLiteral("日期"), QStringLiteral("入库"),
                  QStringLiteral("出库"), QStringLiteral("结存"), QStringLiteral("单价"),
                  QStringLiteral("金额"), QStringLiteral("结存金额"), QStringLiteral("备注")},
                 {60, 190, 80, 80, 90, 80, 90, 100});
    超级列表框台账->setQuantityColumns({2, 3, 4, 5, 6, 7});
    layout->addWidget(超级列表框台账, 1);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    按钮导出台账 = makeButton(QStringLiteral("按钮导出台账"), QStringLiteral("导出表格"));
    按钮另存台账 = makeButton(QStringLiteral("按钮另存台账"), QStringLiteral("另存为…"));
    按钮打印台账 = makeButton(QStringLiteral("按钮打印台账"), QStringLiteral("打印表单"));
    buttons->addWidget(按钮导出台账);
    buttons->addWidget(按钮另存台账);
    buttons->addWidget(按钮打印台账);
    layout->addLayout(buttons);

    for (QDateEdit *box : {日期框台账起, 日期框台账止}) {
        // A date typed applies with Enter (or on leaving the box), not at
        // each digit.
        box->setKeyboardTracking(false);
        connect(box, &QDateEdit::dateChanged, this, [this] {
            m_wholeHistory = false;
            emit rangeChosen();
        });
    }
}

void LedgerWindow::setModel(const ModelKey &model, const QString &unit)
{
    m_model = model;
    m_wholeHistory = true;
    const QString named =
        model.category + QStringLiteral(" / ") + model.item + QStringLiteral(" / ") + model.model;
    setWindowTitle(QStringLiteral("型号台账 — ") + named);
    标签台账型号->setText(QStringLiteral("型号：%1　单位：%2").arg(named, unit));
}

void LedgerWindow::setRange(const QDate &from, const QDate &to)
{
    const QSignalBlocker blockFrom(日期框台账起);
    const QSignalBlocker blockTo(日期框台账止);
    日期框台账起->setDate(from);
    日期框台账止->setDate(to);
}

} // namespace kucun
