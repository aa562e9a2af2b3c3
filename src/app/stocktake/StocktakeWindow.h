#pragma once

#include "book/stocktake/Stocktake.h"

#include <QDialog>

class QComboBox;
class QDateEdit;
class QPushButton;

namespace kucun {

template <typename Page> struct PageContext;
class EditableListModel;
class FormPreview;
class ListView;

// The window 窗口盘点: a count sheet to type the counted figures into. It
// holds the controls and the sheet being counted; the handlers fill both.
class StocktakeWindow : public QDialog
{
    Q_OBJECT

public:
    // The columns of 超级列表框盘点.
    enum Column
    {
        NumberColumn,
        CategoryColumn,
        ItemColumn,
        ModelColumn,
        BookColumn,
        CountColumn,
        DifferenceColumn,
        UnitColumn,
    };

    explicit StocktakeWindow(QWidget *parent = nullptr);
    // An entry still open is not reported: the sheet is gone by the time
    // the closing window takes its focus.
    ~StocktakeWindow() override;

    EditableListModel &rows() const;

    QComboBox *组合框盘点品类 = nullptr;
    QDateEdit *日期框盘点 = nullptr;
    ListView *超级列表框盘点 = nullptr;
    QPushButton *按钮只看差异 = nullptr;
    QPushButton *按钮打印盘点表 = nullptr;
    QPushButton *按钮盘点入账 = nullptr;
    QPushButton *按钮放弃盘点 = nullptr;

    // The sheet shown, with what was counted so far.
    CountSheet sheet;
};

using StocktakeContext = PageContext<StocktakeWindow>;

// Connects the window's controls to their handlers; 按钮打印盘点表 shows its
// form in the preview.
void connectStocktakeWindow(const StocktakeContext &context, FormPreview &preview);

} // namespace kucun
