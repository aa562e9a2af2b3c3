#include "StocktakeWindow.h"

#include "app/FormParts.h"
#include "ui/ColumnEntry.h"
#include "ui/EditableListModel.h"
#include "ui/ListView.h"

#include <QComboBox>
#include <QDateEdit>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace kucun {

StocktakeWindow::StocktakeWindow(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("窗口盘点"));
    setWindowTitle(QStringLiteral("盘点"));
    resize(860, 600);
    auto *layout = new QVBoxLayout(this);

    auto *choices = new QHBoxLayout;
    组合框盘点品类 = makeCombo(QStringLiteral("组合框盘点品类"), QStringLiteral("盘点品类"));
    addLabelled(choices, QStringLiteral("品类："), 组合框盘点品类);
    日期框盘点 = makeDateBox(QStringLiteral("日期框盘点"), QStringLiteral("盘点日期"));
    // A typed day applies with Enter, not at each digit: each reads the sheet.
    日期框盘点->setKeyboardTracking(false);
    addLabelled(choices, QStringLiteral("盘点日期："), 日期框盘点);
    choices->addStretch(1);
    按钮只看差异 = makeButton(QStringLiteral("按钮只看差异"), QStringLiteral("只看差异"));
    按钮只看差异->setCheckable(true);
    choices->addWidget(按钮只看差异);
    layout->addLayout(choices);

    auto *model = new EditableListModel({QStringLiteral("序号"), QStringLiteral("品类"),
                                         QStringLiteral("名称"), QStringLiteral("型号"),
                                         QStringLiteral("账面"), QStringLiteral("实盘"),
                                         QStringLiteral("差异"), QStringLiteral("单位")},
                                        CountColumn);
    model->setNumbered(true);
    超级列表框盘点 = makeList(QStringLiteral("超级列表框盘点"), QStringLiteral("盘点列表"), model,
                              {60, 110, 130, 150, 80, 80, 80});
    超级列表框盘点->setQuantityColumns({BookColumn, CountColumn, DifferenceColumn});
    enableColumnEntry(*超级列表框盘点, CountColumn);
    layout->addWidget(超级列表框盘点, 1);

    auto *buttons = new QHBoxLayout;
    按钮打印盘点表 = makeButton(QStringLiteral("按钮打印盘点表"), QStringLiteral("打印盘点表"));
    按钮放弃盘点 = makeButton(QStringLiteral("按钮放弃盘点"), QStringLiteral("放弃盘点"));
    按钮盘点入账 = makeButton(QStringLiteral("按钮盘点入账"), QStringLiteral("盘点入账"));
    buttons->addWidget(按钮打印盘点表);
    buttons->addStretch(1);
    buttons->addWidget(按钮放弃盘点);
    buttons->addWidget(按钮盘点入账);
    layout->addLayout(buttons);
}

StocktakeWindow::~StocktakeWindow()
{
    rows().blockSignals(true);
}

EditableListModel &StocktakeWindow::rows() const
{
    return static_cast<EditableListModel &>(超级列表框盘点->list());
}

} // namespace kucun
